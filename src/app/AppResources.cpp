// The program's strings and the registration of all its resources.

#include "AppResources.h"

#include "CommandTable.h"
#include "ResourceIds.h"
#include "Resources.h"

#include <QtGlobal>

static void InitPictures() {
    Q_INIT_RESOURCE(lexarium);
}

void RegisterLexariumResources() {
    InitPictures();
    CResourceTable& res = AfxGetResources();
    res.strings[AFX_IDS_APP_TITLE] = QStringLiteral("Lexarium");
    res.strings[AFX_IDS_IDLEMESSAGE] = QStringLiteral("Ready");
    res.strings[IDR_MAINFRAME] = QStringLiteral(
        "Vantor Textresource Editor\n\nTextresource\nFiletyp Textresource (*.trs)\n.trs\n"
        "Lexarium.Document\nQuern Document");
    res.strings[IDS_TREE_ROOT] = QStringLiteral("Textresourcen");
    res.strings[AFX_IDP_UNREG_DONE] =
        QStringLiteral("The settings and the file association of Lexarium have been removed.");
    res.icons[IDR_MAINFRAME] = QStringLiteral(":/toolbar/entry-new.svg");
    res.bitmaps[IDB_SPLASH] = QStringLiteral(":/pictures/splash.svg");
    res.bitmaps[IDB_ABOUT] = QStringLiteral(":/pictures/about.svg");
    RegisterCommandResources();
    RegisterFormTemplates();
    RegisterAudioTestTemplate();
}
