#include "store/MDIQuillaro.h"

void MDIQuillaro::mnuUtilitaAggiornamentoFileSigle_Click() { nonDisponibile(); }
void MDIQuillaro::mnuUtilitaAggiornamentoControlliEsegui_Click() { nonDisponibile(); }
void MDIQuillaro::mnuUtilitaAggiornamentoControlliNoteCompilatore_Click() { nonDisponibile(); }
void MDIQuillaro::mnuUtilitaAggiornamentoControlloCELEX_Click() { nonDisponibile(); }
void MDIQuillaro::mnuUtilitaAggiornamentoControlloHUDOC_Click() { nonDisponibile(); }
void MDIQuillaro::mnuUtilitaAggiornamentoControlliNuovi_Click() { nonDisponibile(); }
void MDIQuillaro::mnuUtilitaAggiornamentoControlliConteggio_Click() { nonDisponibile(); }
