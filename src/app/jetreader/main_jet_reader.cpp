// quillaro-jet-reader: the program's Jet reader, started by it for each Access file it reads (see
// import/LettoreJet.h). Not meant to be run by hand.

#include "import/LettoreJet.h"

#include <QFile>

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QFile::decodeName(argv[i]);
    return EseguiLettoreJet(arguments);
}
