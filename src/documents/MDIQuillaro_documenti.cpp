#include "store/MDIQuillaro.h"

void MDIQuillaro::mnuDocumentiNuovo_Click() { nonDisponibile(); }
void MDIQuillaro::mnuDocumentiEdita_Click() { nonDisponibile(); }
void MDIQuillaro::mnuDocumentiCancella_Click() { nonDisponibile(); }
