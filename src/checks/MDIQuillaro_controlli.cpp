#include "store/MDIQuillaro.h"

void MDIQuillaro::mnuUtilitaDocumentiControlliEsegui_Click() { nonDisponibile(); }
void MDIQuillaro::mnuUtilitaDocumentiControlliVediErroriGenerici_Click() { nonDisponibile(); }
void MDIQuillaro::mnuUtilitaDocumentiControlliVediErroriClassificazione_Click() { nonDisponibile(); }
void MDIQuillaro::mnuUtilitaDocumentiControlliVediErroriFonti_Click() { nonDisponibile(); }
void MDIQuillaro::mnuUtilitaDocumentiControlliNoteCompilatore_Click() { nonDisponibile(); }
void MDIQuillaro::mnuUtilitaDocumentiControlliPerControlloCELEX_Click() { nonDisponibile(); }
void MDIQuillaro::mnuUtilitaDocumentiControlliPerControlloHUDOC_Click() { nonDisponibile(); }
void MDIQuillaro::mnuUtilitaDocumentiControlliNuovi_Click() { nonDisponibile(); }
