#pragma once
// The toolkit's own texts (standard buttons, the edit fields' context menus, file dialogs) in
// Chinese, like the rest of the program.

class QCoreApplication;

namespace sp::frame {

// Installs Qt's Chinese translations from the toolkit's translations folder into `app`. Returns
// false when they are not installed there; the toolkit's English texts then stay.
bool loadToolkitTranslations(QCoreApplication& app);

} // namespace sp::frame
