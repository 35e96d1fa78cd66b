#include "store/MDIQuillaro.h"

void MDIQuillaro::mnuUtilitaDocumentiStampeCompleta_Click() { nonDisponibile(); }
void MDIQuillaro::mnuUtilitaDocumentiStampeSoloTesti_Click() { nonDisponibile(); }
void MDIQuillaro::mnuUtilitaDocumentiStampeProspetto_Click() { nonDisponibile(); }
void MDIQuillaro::mnuUtilitaDocumentiStampeConsistenza_Click() { nonDisponibile(); }
