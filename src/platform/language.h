#pragma once
// The language of the window: French, the language its texts are written
// in, or English (translations/platine_en.ts, embedded). It follows the
// desktop unless the operator chose one ("Aide" > "Langue"), kept in the
// program's own settings. Only what is shown changes: the files, the lists
// and the bytes sent to the board are the same in both.

#include <QString>

#include <memory>
#include <string>

class QTranslator;

namespace platine {

class OwnSettings;

enum class Language { French, English };

// The desktop's: English on an English desktop, French otherwise.
Language desktopLanguage();
// The operator's choice kept in `settings`, else the desktop's.
Language chosenLanguage(const OwnSettings &settings);
// Keeps `language` as the operator's choice; false with `error` when the
// settings could not be written.
bool keepLanguage(OwnSettings &settings, Language language, QString *error = nullptr);

// The language the window is shown in: the one last installed, French
// before any.
Language installedLanguage();

// The translators of the program's texts and of Qt's own ("Oui", "Annuler")
// for one language, installed in the application while the object lives.
class LanguageInstaller {
public:
    LanguageInstaller();
    ~LanguageInstaller();
    LanguageInstaller(const LanguageInstaller &) = delete;
    LanguageInstaller &operator=(const LanguageInstaller &) = delete;

    // Replaces the translators installed before, if any; false when the
    // program's English texts could not be loaded (French then).
    bool install(Language language);
    Language language() const { return m_language; }

private:
    void remove();

    std::unique_ptr<QTranslator> m_program;
    std::unique_ptr<QTranslator> m_qt;
    Language m_language = Language::French;
};

// `source` (a French text of `context`) as `language` shows it, whatever
// language is installed: what the operator is told about a language he has
// just chosen is told in it.
QString translatedInto(Language language, const char *context, const char *source);

} // namespace platine
