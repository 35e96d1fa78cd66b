#include "app/datagen/ManPage.h"

#include <QRegularExpression>

namespace {

// Text made safe for troff: backslashes and minus signs escaped, and no line that starts like a
// request.
QString roff(QString text) {
    text.replace(u'\\', QStringLiteral("\\e"));
    text.replace(u'-', QStringLiteral("\\-"));
    if (text.startsWith(u'.') || text.startsWith(u'\''))
        text.prepend(QStringLiteral("\\&"));
    return text;
}

QString sectionTitle(QString header) {
    header.chop(1); // the ":"
    if (header == u"Options")
        return QStringLiteral("OPZIONI");
    if (header == u"Arguments")
        return QStringLiteral("ARGOMENTI");
    return header.toUpper();
}

struct Item {
    QString name;
    QString description;
};

} // namespace

QString manPageFromHelp(const QString& help, const QString& name, const QString& section,
                        const QString& version, const QStringList& seeAlso) {
    static const QRegularExpression usage(QStringLiteral("^(?:Uso|Usage):\\s+\\S+\\s*(.*)$"));
    static const QRegularExpression header(QStringLiteral("^\\S+:$"));
    static const QRegularExpression twoBlanks(QStringLiteral("\\s{2,}"));

    QStringList lines = help.split(u'\n');
    for (QString& line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    while (!lines.isEmpty() && lines.constFirst().trimmed().isEmpty())
        lines.removeFirst();
    if (lines.isEmpty())
        return {};
    const QRegularExpressionMatch synopsis = usage.match(lines.takeFirst());
    if (!synopsis.hasMatch())
        return {};

    QStringList description;
    qsizetype i = 0;
    for (; i < lines.size() && !header.match(lines[i]).hasMatch(); ++i)
        description << lines[i];
    while (!description.isEmpty() && description.constFirst().trimmed().isEmpty())
        description.removeFirst();
    while (!description.isEmpty() && description.constLast().trimmed().isEmpty())
        description.removeLast();

    QString page;
    page += QStringLiteral(".TH %1 %2 \"\" \"Quillaro %3\" \"Quillaro\"\n")
                .arg(roff(name.toUpper()), section, roff(version));
    page += QStringLiteral(".SH NOME\n%1 \\- %2\n")
                .arg(roff(name), roff(description.isEmpty() ? name : description.constFirst().trimmed()));
    page += QStringLiteral(".SH SINOSSI\n.B %1\n%2\n").arg(roff(name), roff(synopsis.captured(1).trimmed()));
    if (description.size() > 1) {
        page += QStringLiteral(".SH DESCRIZIONE\n");
        for (const QString& line : description.mid(1))
            page += line.trimmed().isEmpty() ? QStringLiteral(".PP\n") : roff(line.trimmed()) + u'\n';
    }

    QList<Item> items;
    const auto flush = [&] {
        for (const Item& item : items) {
            page += QStringLiteral(".TP\n.B %1\n").arg(roff(item.name));
            if (!item.description.isEmpty())
                page += roff(item.description) + u'\n';
        }
        items.clear();
    };
    for (; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.trimmed().isEmpty())
            continue;
        if (header.match(line).hasMatch()) {
            flush();
            page += QStringLiteral(".SH %1\n").arg(roff(sectionTitle(line)));
        } else if (line.startsWith(QStringLiteral("   ")) && !items.isEmpty()) {
            items.last().description += u' ' + line.trimmed();
        } else {
            const QString text = line.trimmed();
            const QRegularExpressionMatch gap = twoBlanks.match(text);
            if (gap.hasMatch())
                items.append({text.left(gap.capturedStart()), text.mid(gap.capturedEnd())});
            else
                items.append({text, QString()});
        }
    }
    flush();

    if (!seeAlso.isEmpty()) {
        page += QStringLiteral(".SH VEDI ANCHE\n");
        QStringList refs;
        for (const QString& ref : seeAlso) {
            const qsizetype paren = ref.indexOf(u'(');
            refs << (paren > 0 ? QStringLiteral(".BR %1 %2").arg(roff(ref.left(paren)), ref.mid(paren))
                               : QStringLiteral(".B %1").arg(roff(ref)));
        }
        page += refs.join(QStringLiteral(",\n")) + u'\n';
    }
    return page;
}
