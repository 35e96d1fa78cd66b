#include "ui/HunspellChecker.h"

#include "store/DataFolder.h"
#include "store/HomeFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>
#include <future>
#include <hunspell.hxx>
#include <map>
#include <mutex>

// ---- where the dictionaries are ------------------------------------------------------------

SpellSetup SpellSetup::forHome(const HomeFolder& home) {
    SpellSetup setup;
    setup.personalPath = home.filePath(QStringLiteral("dizionario personale.dic"));
    const QString fromEnvironment = qEnvironmentVariable("QUILLARO_DICTIONARIES");
    if (!fromEnvironment.isEmpty()) {
        setup.folders = fromEnvironment.split(QDir::listSeparator(), Qt::SkipEmptyParts);
        return setup;
    }
    setup.folders << home.filePath(QStringLiteral("dizionari"));
    setup.folders << QDir(dataFolder()).filePath(QStringLiteral("dizionari"));
    for (const QString& sub :
         {QStringLiteral("hunspell"), QStringLiteral("myspell"), QStringLiteral("myspell/dicts")})
        setup.folders << QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, sub,
                                                   QStandardPaths::LocateDirectory);
    setup.folders.removeDuplicates();
    return setup;
}

QStringList dictionaryNames(SpellLanguage language) {
    if (language == SpellLanguage::English)
        return {QStringLiteral("en_US"), QStringLiteral("en_GB")};
    return {QStringLiteral("it_IT")};
}

std::optional<DictionaryFiles> findDictionary(const QStringList& folders, SpellLanguage language) {
    for (const QString& name : dictionaryNames(language)) {
        for (const QString& folder : folders) {
            const QDir dir(folder);
            const QFileInfo aff(dir.filePath(name + QStringLiteral(".aff")));
            const QFileInfo dic(dir.filePath(name + QStringLiteral(".dic")));
            if (aff.isFile() && dic.isFile() && aff.isReadable() && dic.isReadable())
                return DictionaryFiles{aff.canonicalFilePath(), dic.canonicalFilePath()};
        }
    }
    return std::nullopt;
}

// ---- one dictionary ------------------------------------------------------------------------

namespace {

std::string hunspellPath(const QString& path) {
#ifdef Q_OS_WIN
    // Hunspell opens UTF-8 paths with the long-path prefix through the wide API.
    return ("\\\\?\\" + QDir::toNativeSeparators(path)).toStdString();
#else
    return QFile::encodeName(path).toStdString();
#endif
}

// ISO 8859-15 is Latin-1 with eight places changed (the euro sign, the French and Czech letters).
constexpr std::pair<char16_t, unsigned char> latin9Changes[] = {
    {0x20AC, 0xA4}, {0x0160, 0xA6}, {0x0161, 0xA8}, {0x017D, 0xB4},
    {0x017E, 0xB8}, {0x0152, 0xBC}, {0x0153, 0xBD}, {0x0178, 0xBE},
};

QString normalizedEncoding(const std::string& name) {
    return QString::fromStdString(name).toUpper().remove(u'-').remove(u'_');
}

// Words longer than this are not words; Hunspell refuses them anyway, slowly for suggestions.
constexpr int longestWord = 100;

} // namespace

HunspellDictionary::HunspellDictionary(const DictionaryFiles& files)
    : hunspell_(std::make_unique<Hunspell>(hunspellPath(files.aff).c_str(), hunspellPath(files.dic).c_str())),
      encoding_(normalizedEncoding(hunspell_->get_dict_encoding())) {}

HunspellDictionary::~HunspellDictionary() = default;

std::optional<std::string> HunspellDictionary::encode(const QString& word) const {
    if (encoding_ == u"UTF8")
        return word.toStdString();
    if (encoding_ == u"ISO88591" || encoding_ == u"ISO885915") {
        const bool latin9 = encoding_ == u"ISO885915";
        std::string out;
        out.reserve(size_t(word.size()));
        for (QChar c : word) {
            const char16_t u = c.unicode();
            unsigned char b = 0;
            bool found = false;
            if (latin9) {
                for (const auto& [from, to] : latin9Changes)
                    if (from == u) {
                        b = to;
                        found = true;
                    }
            }
            if (!found) {
                if (u > 0xFF)
                    return std::nullopt;
                if (latin9) {
                    for (const auto& change : latin9Changes)
                        if (change.second == u)
                            return std::nullopt; // that place holds another letter here
                }
                b = static_cast<unsigned char>(u);
            }
            out.push_back(static_cast<char>(b));
        }
        return out;
    }
    QStringEncoder encoder(encoding_.toLatin1().constData());
    if (!encoder.isValid())
        return std::nullopt;
    const QByteArray bytes = encoder.encode(word);
    if (encoder.hasError())
        return std::nullopt;
    return bytes.toStdString();
}

QString HunspellDictionary::decode(const std::string& bytes) const {
    if (encoding_ == u"UTF8")
        return QString::fromStdString(bytes);
    if (encoding_ == u"ISO88591" || encoding_ == u"ISO885915") {
        QString out;
        out.reserve(qsizetype(bytes.size()));
        for (char ch : bytes) {
            const auto b = static_cast<unsigned char>(ch);
            char16_t u = b;
            if (encoding_ == u"ISO885915")
                for (const auto& [from, to] : latin9Changes)
                    if (to == b)
                        u = from;
            out += QChar(u);
        }
        return out;
    }
    QStringDecoder decoder(encoding_.toLatin1().constData());
    return decoder.isValid() ? QString(decoder.decode(QByteArray::fromStdString(bytes))) : QString();
}

bool HunspellDictionary::spell(const QString& word) const {
    if (word.size() > longestWord)
        return false;
    const auto bytes = encode(word);
    return bytes && hunspell_->spell(*bytes);
}

QStringList HunspellDictionary::suggest(const QString& word) const {
    if (word.size() > longestWord)
        return {};
    const auto bytes = encode(word);
    if (!bytes)
        return {};
    QStringList list;
    for (const std::string& s : hunspell_->suggest(*bytes))
        list << decode(s);
    return list;
}

// ---- the session's dictionaries ------------------------------------------------------------

namespace {

using Loading = std::shared_future<std::shared_ptr<const HunspellDictionary>>;

std::mutex cacheMutex;
std::map<QString, Loading>& cache() {
    static std::map<QString, Loading> loaded;
    return loaded;
}

// The dictionary of these files, read once per session (in the background when `wait` is false).
Loading loading(const DictionaryFiles& files) {
    const std::lock_guard lock(cacheMutex);
    auto& loaded = cache();
    auto it = loaded.find(files.aff);
    if (it == loaded.end()) {
        Loading future =
            std::async(std::launch::async, [files] {
                return std::shared_ptr<const HunspellDictionary>(std::make_shared<HunspellDictionary>(files));
            }).share();
        it = loaded.emplace(files.aff, std::move(future)).first;
    }
    return it->second;
}

} // namespace

void preloadDictionary(const SpellSetup& setup, SpellLanguage language) {
    if (const auto files = findDictionary(setup.folders, language))
        loading(*files);
}

HunspellChecker::HunspellChecker(std::shared_ptr<const HunspellDictionary> dictionary, SpellLanguage language,
                                 const QString& personalPath)
    : SpellChecker(language, personalPath), dictionary_(std::move(dictionary)) {}

std::unique_ptr<HunspellChecker> HunspellChecker::open(const SpellSetup& setup, SpellLanguage language,
                                                       QString* error) {
    const auto files = findDictionary(setup.folders, language);
    if (!files) {
        if (error) {
            const QString name = dictionaryNames(language).first();
            QStringList folders;
            for (const QString& f : setup.folders)
                folders << QDir::toNativeSeparators(f);
            *error = QStringLiteral("Dizionario %1 non trovato (%2.aff e %2.dic): il controllo non è stato "
                                    "eseguito e il testo è rimasto com'era.\n\nCartelle cercate:\n%3")
                         .arg(languageName(language), name,
                              folders.isEmpty() ? QStringLiteral("(nessuna)") : folders.join(u'\n'));
        }
        return nullptr;
    }
    return std::make_unique<HunspellChecker>(loading(*files).get(), language, setup.personalPath);
}

bool HunspellChecker::dictionarySpell(const QString& word) const {
    return dictionary_->spell(word);
}

QStringList HunspellChecker::dictionarySuggest(const QString& word) const {
    return dictionary_->suggest(word);
}
