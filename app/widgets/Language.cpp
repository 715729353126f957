#include "widgets/Language.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>
#include <memory>

// The compiled translations are resources of a static library: registered by name.
static void initTranslationResources() {
    Q_INIT_RESOURCE(velmora_translations);
}

namespace velmora::ui {

namespace {
const QString kSettingsKey = QStringLiteral("language");

// The one translator of the window's texts installed into the application.
std::unique_ptr<QTranslator>& installed() {
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

// The translator of Qt's own texts (the file dialog and its questions).
std::unique_ptr<QTranslator>& installedQt() {
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

// Qt's texts in the language: Qt's own translation where the system has it, else the one
// built in (Qt ships none for Indonesian). English is Qt's source language.
void applyQtTexts(Language language) {
    if (installedQt()) {
        QCoreApplication::removeTranslator(installedQt().get());
        installedQt().reset();
    }
    if (language == Language::English) return;
    const QString code = languageCode(language);
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_") + code,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        !translator->load(QStringLiteral(":/i18n/qt_") + code))
        return;  // Qt's texts stay English: the window's own are not affected
    if (QCoreApplication::installTranslator(translator.get()))
        installedQt() = std::move(translator);
}

Language& current() {
    static Language language = Language::Indonesian;
    return language;
}
}  // namespace

std::optional<Language> languageFromCode(const QString& code) {
    if (code == QLatin1String("id")) return Language::Indonesian;
    if (code == QLatin1String("en")) return Language::English;
    return std::nullopt;
}

QString languageCode(Language language) {
    return language == Language::English ? QStringLiteral("en") : QStringLiteral("id");
}

Language rememberedLanguage() {
    const QSettings settings(QStringLiteral("Velmora"), QStringLiteral("Velmora Tester"));
    return languageFromCode(settings.value(kSettingsKey).toString()).value_or(Language::Indonesian);
}

void rememberLanguage(Language language) {
    QSettings(QStringLiteral("Velmora"), QStringLiteral("Velmora Tester"))
        .setValue(kSettingsKey, languageCode(language));
}

bool applyLanguage(Language language) {
    initTranslationResources();
    if (installed()) {
        QCoreApplication::removeTranslator(installed().get());
        installed().reset();
    }
    current() = Language::Indonesian;
    applyQtTexts(language);
    if (language == Language::Indonesian) return true;  // the source texts
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral(":/i18n/velmora_") + languageCode(language)) ||
        !QCoreApplication::installTranslator(translator.get()))
        return false;
    installed() = std::move(translator);
    current() = language;
    return true;
}

Language appliedLanguage() {
    return current();
}

QString localizedPicture(const QString& path) {
    if (current() == Language::Indonesian || !path.endsWith(QLatin1String(".svg"))) return path;
    QString localized = path;
    localized.insert(path.size() - 4, QLatin1Char('_') + languageCode(current()));
    return QFile::exists(localized) ? localized : path;
}

QString textIn(Language language, const char* context, const char* source) {
    initTranslationResources();
    QTranslator translator;
    if (language != Language::Indonesian &&
        translator.load(QStringLiteral(":/i18n/velmora_") + languageCode(language))) {
        const QString text = translator.translate(context, source);
        if (!text.isEmpty()) return text;
    }
    return QString::fromUtf8(source);
}

}  // namespace velmora::ui
