#include "capture/NomiPersona.h"

#include "capture/TestoMarcato.h"

#include <QRegularExpression>

namespace {

bool particella(QStringView parola) {
    static const QStringList particelle = {
        QStringLiteral("de"),  QStringLiteral("di"),    QStringLiteral("da"),    QStringLiteral("del"),
        QStringLiteral("dal"), QStringLiteral("della"), QStringLiteral("dalla"), QStringLiteral("delle"),
        QStringLiteral("dei"), QStringLiteral("degli"), QStringLiteral("dello"), QStringLiteral("van"),
        QStringLiteral("von"), QStringLiteral("der"),   QStringLiteral("den"),   QStringLiteral("ter"),
        QStringLiteral("ten"), QStringLiteral("du"),    QStringLiteral("des"),   QStringLiteral("la"),
        QStringLiteral("le"),  QStringLiteral("lo"),    QStringLiteral("dos"),   QStringLiteral("das"),
        QStringLiteral("do"),  QStringLiteral("d'"),    QStringLiteral("d’"),    QStringLiteral("bin"),
        QStringLiteral("ibn"), QStringLiteral("al"),    QStringLiteral("el"),    QStringLiteral("y")};
    return particelle.contains(parola.toString(), Qt::CaseInsensitive);
}

bool tuttoMaiuscolo(const QString& t) {
    int lettere = 0;
    for (QChar c : t) {
        if (c.isLower())
            return false;
        if (c.isLetter())
            ++lettere;
    }
    return lettere > 1;
}

// "GUNDERT-REMY" -> "Gundert-Remy", "O'BRIEN" -> "O'Brien".
QString comeNome(const QString& t) {
    QString out = t.toLower();
    bool inizio = true;
    for (QChar& c : out) {
        if (inizio && c.isLetter())
            c = c.toUpper();
        inizio = !c.isLetter();
    }
    return out;
}

// "C" -> "C.", "Luiz G S" -> "Luiz G. S.": a lone capital is an initial.
QString conPunti(const QString& nome) {
    QStringList parole = nome.split(u' ', Qt::SkipEmptyParts);
    for (QString& p : parole)
        if (p.size() == 1 && p.at(0).isUpper())
            p += u'.';
    return parole.join(u' ');
}

QString pulito(const QString& t) {
    QString s = TestoPiano(t);
    // Names in lists come with trailing separators ("Dienes, Zoltan ", "Adwan, ").
    while (!s.isEmpty() && (s.back() == u',' || s.back() == u';'))
        s.chop(1);
    return s.trimmed();
}

PersonaCatturata persona(QString cognome, QString nome) {
    if (tuttoMaiuscolo(cognome))
        cognome = comeNome(cognome);
    if (tuttoMaiuscolo(nome) && nome.size() > 3)
        nome = comeNome(nome);
    return {cognome, conPunti(nome), false};
}

} // namespace

bool SembraEnte(QStringView nome) {
    static const QRegularExpression parole(
        QStringLiteral(
            R"(\b(panel|alliance|committee|commission|commissione|comitato|group|gruppo|association|)"
            R"(associazione|society|societ[àa]|institute|istituto|institut|university|universit[àaé]|)"
            R"(universidad|consortium|consorzio|agency|agenzia|council|consiglio|ministero|ministry|centre|)"
            R"(center|centro|network|foundation|fondazione|authority|autorit[àa]|organi[sz]ation|)"
            R"(organizzazione|department|dipartimento|collaboration|board|office|ufficio|osservatorio|)"
            R"(redazione|team|initiative|project|progetto|editors|editorial)\b)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    static const QRegularExpression segni(QStringLiteral(R"([()\d&])"));
    return parole.match(nome).hasMatch() || segni.match(nome).hasMatch();
}

PersonaCatturata Ente(const QString& nome) {
    return {pulito(nome), QString(), true};
}

PersonaCatturata PersonaDaParti(const QString& cognome, const QString& nome, const QString& particella) {
    QString c = pulito(cognome);
    const QString p = pulito(particella);
    if (!p.isEmpty() && !c.startsWith(p + u' ', Qt::CaseInsensitive))
        c = p + u' ' + c;
    if (c.isEmpty())
        return PersonaDaNome(nome);
    return persona(c, pulito(nome));
}

PersonaCatturata PersonaDaNome(const QString& intero) {
    const QString nome = pulito(intero);
    if (nome.isEmpty())
        return {};
    if (SembraEnte(nome))
        return Ente(nome);
    if (const qsizetype virgola = nome.indexOf(u','); virgola > 0)
        return persona(nome.left(virgola).trimmed(), nome.mid(virgola + 1).trimmed());
    const QStringList parole = nome.split(u' ', Qt::SkipEmptyParts);
    if (parole.size() == 1)
        return persona(nome, QString());
    // The surname is the last word with the particles before it; a given name stays before them.
    qsizetype inizio = parole.size() - 1;
    while (inizio > 1 && particella(parole.at(inizio - 1)))
        --inizio;
    return persona(parole.mid(inizio).join(u' '), parole.mid(0, inizio).join(u' '));
}
