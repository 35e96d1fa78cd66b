#pragma once

// The Jet reader as a process of its own (quillaro-jet-reader): libmdb loops for ever or crashes on
// some damaged files, so the program never reads a Jet file itself. It starts this reader, which
// reads the file with JetFile within limits of time, memory and output (ProtocolloJet.h), and
// takes the reader's death or silence for what it is: a damaged file.

#include "import/ProtocolloJet.h"

#include <QStringList>

// The reader's body: `arguments` are the file, then the limits (--memoria MB, --cpu SECONDS). Serves
// the commands of standard input until it closes; answers on standard output. Returns the exit code.
int EseguiLettoreJet(const QStringList& arguments);

// The reader program: QUILLARO_JET_READER when set, else libexec/quillaro/quillaro-jet-reader
// beside the program's bin/ (as installed and as the build lays it out).
QString PercorsoLettoreJet();
