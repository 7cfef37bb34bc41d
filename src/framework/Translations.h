#pragma once

// Qt's own texts (the file dialogs with their questions, the edit fields'
// context menus, the standard buttons) in the language of the framework's
// strings, which is German in this build, so no dialog mixes two languages.

// Loads Qt's translations into the running application once, and makes the
// framework's language the default locale, for the dates and numbers Qt's
// widgets show; false if the translations are not installed, and Qt then
// speaks English.
bool AfxInstallQtTranslations();
