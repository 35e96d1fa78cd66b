#pragma once

// The lines of one error list by rule, for the filter of the lists' viewer: the rule of each line,
// how many lines each rule wrote, and the lines of one rule. A list of a large delivery holds tens
// of thousands of lines: each is read once, without copying it.

#include <QList>
#include <QString>
#include <QStringView>
#include <functional>
#include <vector>

struct ConteggioRegola {
    QString regola;
    qsizetype righe = 0;
    bool operator==(const ConteggioRegola&) const = default;
};

class IndiceRilievi {
public:
    IndiceRilievi() = default;
    // riga(i), i from 0 to n - 1: the lines of the list (its title and blank lines included).
    IndiceRilievi(int n, const std::function<QStringView(int)>& riga);

    // The rules met, the one with most lines first (on a tie, the one met first).
    const QList<ConteggioRegola>& regole() const { return regole_; }
    // The rule of line i, as an index of regole(); -1 for a line that is no finding.
    int regolaDi(int i) const;
    // The lines that are findings.
    qsizetype rilievi() const { return rilievi_; }
    // The lines of the rule at index r of regole(), in list order.
    std::vector<int> righeDi(int r) const;

private:
    std::vector<int> regolaDi_; // per line
    QList<ConteggioRegola> regole_;
    qsizetype rilievi_ = 0;
};

// An item of the viewer's filter: "Fonte errata (2.056)".
QString VoceRegola(const ConteggioRegola& c);
