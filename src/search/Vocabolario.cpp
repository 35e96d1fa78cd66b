#include "search/Vocabolario.h"

#include "search/IndexDb.h"

#include <cstring>
#include <sqlite3.h>

Vocabolario::Vocabolario() = default;

Vocabolario::~Vocabolario() = default;

void Vocabolario::collega(sqlite3* db) {
    leggi_.reset();
    scrivi_.reset();
    db_ = db;
    forme_.clear();
    caricate_ = false;
    note_.clear();
    inAttesa_.clear();
    daScrivere_.clear();
    preparati_ = nullptr;
}

const std::vector<std::string>& Vocabolario::forme(std::string_view radice) {
    auto it = forme_.find(radice);
    if (it != forme_.end())
        return it->second;
    std::vector<std::string> f{std::string(radice)};
    if (db_) {
        // Read while the engine reads its query: a second statement of the same connection.
        if (!leggi_)
            leggi_ = std::make_unique<IndexStatement>(db_, "select parola from parole where radice = ?");
        leggi_->bind(1, radice);
        while (leggi_->step()) {
            const QByteArray parola = leggi_->utf8(0);
            f.emplace_back(parola.constData(), static_cast<size_t>(parola.size()));
        }
        leggi_->reset();
    }
    // A table of forms for every stem a process meets stays small; a long session's is renewed.
    if (forme_.size() > 100000)
        forme_.clear();
    return forme_.emplace(std::string(radice), std::move(f)).first->second;
}

void Vocabolario::dimentica() {
    forme_.clear();
}

void Vocabolario::caricaNote() {
    if (caricate_ || !db_)
        return;
    IndexStatement s(db_, "select parola from parole");
    while (s.step()) {
        const QByteArray parola = s.utf8(0);
        note_.emplace(parola.constData(), static_cast<size_t>(parola.size()));
    }
    caricate_ = true;
}

bool Vocabolario::nota(std::string_view parola) const {
    return note_.find(parola) != note_.end();
}

void Vocabolario::aggiungi(std::string_view radice, std::string_view parola) {
    if (nota(parola) || inAttesa_.find(parola) != inAttesa_.end())
        return;
    inAttesa_.emplace(parola);
    daScrivere_.emplace_back(std::string(radice), std::string(parola));
}

void Vocabolario::aggiungi(std::vector<ParolaRadice>&& nuove) {
    for (ParolaRadice& p : nuove) {
        if (inAttesa_.find(p.second) != inAttesa_.end())
            continue;
        inAttesa_.insert(p.second);
        daScrivere_.push_back(std::move(p));
    }
}

void Vocabolario::scrivi() {
    if (daScrivere_.empty() || !db_)
        return;
    if (!scrivi_)
        scrivi_ = std::make_unique<IndexStatement>(
            db_, "insert or ignore into parole (radice, parola) values (?, ?)");
    for (const ParolaRadice& p : daScrivere_)
        scrivi_->bind(1, std::string_view(p.first)).bind(2, std::string_view(p.second)).run();
    daScrivere_.clear();
    forme_.clear();
}

void Vocabolario::conferma() {
    if (caricate_)
        note_.merge(inAttesa_);
    inAttesa_.clear();
    daScrivere_.clear();
}

void Vocabolario::scarta() {
    inAttesa_.clear();
    daScrivere_.clear();
    forme_.clear();
}

void Vocabolario::prepara(const std::vector<TokenPreparati>* campi) {
    preparati_ = campi;
    prossimo_ = 0;
}

const TokenPreparati* Vocabolario::preparato(const char* testo, int n) {
    if (!preparati_)
        return nullptr;
    // The engine reads the fields in order; one it skips (it never reads a Null) is passed over.
    for (size_t i = prossimo_; i < preparati_->size(); ++i) {
        const TokenPreparati& t = (*preparati_)[i];
        if (t.testo.size() == static_cast<size_t>(n) &&
            (n == 0 || std::memcmp(t.testo.data(), testo, t.testo.size()) == 0)) {
            prossimo_ = i + 1;
            return &t;
        }
        if (!t.testo.empty())
            break;
    }
    return nullptr;
}
