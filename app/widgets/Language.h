#pragma once

#include <QString>
#include <optional>

namespace velmora::ui {

// The languages of the window. Indonesian is the language the texts are written in; the
// others are translations of them, built into the program.
enum class Language { Indonesian, English };

// "id" and "en", as the command line and the settings give them; nothing for any other.
std::optional<Language> languageFromCode(const QString& code);
QString languageCode(Language language);

// The language the user chose on the option screen; Indonesian until one is chosen.
Language rememberedLanguage();
void rememberLanguage(Language language);

// Makes the application's texts speak `language` from now on (texts already shown stay
// as they are). False when its translation cannot be read; the texts stay Indonesian.
bool applyLanguage(Language language);
// The language applied last (Indonesian before any).
Language appliedLanguage();
// A picture with words in it, in the applied language: ":/img/guide.svg" is
// ":/img/guide_en.svg" in English where that exists, else the picture itself.
QString localizedPicture(const QString& path);
// One text in `language`, whichever is applied: a word about a language said in it.
QString textIn(Language language, const char* context, const char* source);

}  // namespace velmora::ui
