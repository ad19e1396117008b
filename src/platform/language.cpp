#include "platform/language.h"

#include "platform/own_settings.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

static void registerTranslations()
{
    Q_INIT_RESOURCE(translations);
}

namespace platine {

namespace {

// Stored as these words whatever the window shows.
constexpr char kSection[] = "affichage";
constexpr char kKey[] = "langue";
constexpr char kFrench[] = "fr";
constexpr char kEnglish[] = "en";

Language g_installed = Language::French;

const QString kProgramEnglish = QStringLiteral(":/i18n/platine_en.qm");

bool loadProgram(QTranslator &t, Language language)
{
    registerTranslations();
    return language == Language::English && t.load(kProgramEnglish);
}

} // namespace

Language installedLanguage()
{
    return g_installed;
}

Language desktopLanguage()
{
    return QLocale::system().language() == QLocale::English ? Language::English : Language::French;
}

Language chosenLanguage(const OwnSettings &settings)
{
    const std::string kept = settings.value(kSection, kKey, "");
    if (kept == kFrench)
        return Language::French;
    if (kept == kEnglish)
        return Language::English;
    return desktopLanguage();
}

bool keepLanguage(OwnSettings &settings, Language language, QString *error)
{
    return settings.setValue(kSection, kKey, language == Language::English ? kEnglish : kFrench,
                             error);
}

LanguageInstaller::LanguageInstaller() = default;

LanguageInstaller::~LanguageInstaller()
{
    remove();
}

void LanguageInstaller::remove()
{
    for (auto *t : {m_program.get(), m_qt.get()})
        if (t)
            QCoreApplication::removeTranslator(t);
    m_program.reset();
    m_qt.reset();
    g_installed = Language::French;
}

bool LanguageInstaller::install(Language language)
{
    remove();
    m_language = language;
    bool ok = true;
    if (language == Language::English) {
        m_program = std::make_unique<QTranslator>();
        ok = loadProgram(*m_program, language);
        if (ok)
            QCoreApplication::installTranslator(m_program.get());
        else
            m_language = Language::French;
    }
    // Qt's own buttons and dialogs: English is their source language;
    // French from the desktop's Qt translations when installed.
    if (m_language == Language::French) {
        m_qt = std::make_unique<QTranslator>();
        if (m_qt->load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"),
                       QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(m_qt.get());
    }
    g_installed = m_language;
    return ok;
}

QString translatedInto(Language language, const char *context, const char *source)
{
    QTranslator t;
    if (loadProgram(t, language)) {
        const QString s = t.translate(context, source);
        if (!s.isEmpty())
            return s;
    }
    return QString::fromUtf8(source);
}

} // namespace platine
