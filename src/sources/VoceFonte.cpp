#include "store/VoceFonte.h"

void AzzeraFonte(VoceFonte& voce) { voce = VoceFonte(); }

GruppoFonte gruppoFonte(const QString& TP) {
    const QString head = TP.left(2);
    if (head == u"LI" || head == u"GI" || head == u"AC")
        return GruppoFonte::Interno;
    if (TP == u"NIT" || TP == u"NIA" || TP == u"GEI")
        return GruppoFonte::Internazionale;
    if (TP == u"NIC" || TP == u"GEC")
        return GruppoFonte::Comunitario;
    if (TP == u"FCC" || TP == u"FCG")
        return GruppoFonte::Canonico;
    if (TP == u"NS" || TP == u"GS")
        return GruppoFonte::Straniero;
    return GruppoFonte::Altro;
}

bool fonteConSigla(const QString& TP) {
    const QString head = TP.left(2);
    return head == u"NI" || head == u"GE" || TP == u"NS" || TP == u"GS" || TP.startsWith(u'F');
}

QString rigaFonte(const VoceFonte& voce) {
    QString line = voce.Cancellata ? marcaCancellata() + voce.testo : voce.testo;
    if (fonteConSigla(voce.TP))
        line += u'*' + voce.TP + u'*';
    return line;
}
