#pragma once

// Qt's own texts (the file dialogs with their questions, the edit fields'
// context menus, the standard buttons) in the language of the framework's
// strings, which is German in this build, so no dialog mixes two languages.

// Loads Qt's translations into the running application once; false if they
// are not installed, and Qt then speaks English.
bool AfxInstallQtTranslations();
