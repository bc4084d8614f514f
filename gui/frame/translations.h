#pragma once
// The program speaks Chinese whatever the system's language: its locale is zh_CN, and the
// toolkit's own texts (standard buttons, the edit fields' context menus, file dialogs) are in
// Chinese like the rest of the program.

#include <QLocale>

class QCoreApplication;

namespace sp::frame {

// Chinese (China): the locale of the program's dates, numbers and sizes.
QLocale programLocale();

// Makes programLocale() the application's default locale, for the file dialogs' sizes and dates
// too, and loads the toolkit's translations (loadToolkitTranslations, whose result it returns).
bool useProgramLocale(QCoreApplication& app);

// Installs Qt's Chinese translations from the toolkit's translations folder into `app`. Returns
// false when they are not installed there; the toolkit's English texts then stay.
bool loadToolkitTranslations(QCoreApplication& app);

} // namespace sp::frame
