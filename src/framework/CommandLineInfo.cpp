// Parsing of the framework's command-line switches.

#include "CommandLineInfo.h"

#include <QFileInfo>

namespace {

bool IsKnownSwitch(const QString& name) {
    static const QStringList known = {QStringLiteral("p"),          QStringLiteral("pt"),
                                      QStringLiteral("dde"),        QStringLiteral("embedding"),
                                      QStringLiteral("automation"), QStringLiteral("unregister"),
                                      QStringLiteral("unregserver")};
    return known.contains(name.toLower());
}

} // namespace

void CCommandLineInfo::ParseParam(const CString& param, bool bFlag, bool bLast) {
    if (bFlag)
        ParseParamFlag(param);
    else
        ParseParamNotFlag(param);
    ParseLast(bLast);
}

void CCommandLineInfo::ParseParamFlag(const CString& flag) {
    const QString name = flag.toLower();
    if (name == QLatin1String("pt")) {
        m_nShellCommand = FilePrintTo;
    } else if (name == QLatin1String("p")) {
        m_nShellCommand = FilePrint;
    } else if (name == QLatin1String("unregister") || name == QLatin1String("unregserver")) {
        m_nShellCommand = AppUnregister;
    } else if (name == QLatin1String("dde")) {
        m_nShellCommand = FileDDE;
    } else if (name == QLatin1String("embedding")) {
        m_bShowSplash = false;
        m_bRunEmbedded = true;
    } else if (name == QLatin1String("automation")) {
        m_bShowSplash = false;
        m_bRunAutomated = true;
    }
}

void CCommandLineInfo::ParseParamNotFlag(const CString& param) {
    // After "pt" the file is followed by printer, driver and port.
    if (m_strFileName.isEmpty()) {
        m_strFileName = param;
    } else if (m_nShellCommand == FilePrintTo && m_strPrinterName.isEmpty()) {
        m_strPrinterName = param;
    } else if (m_nShellCommand == FilePrintTo && m_strDriverName.isEmpty()) {
        m_strDriverName = param;
    } else if (m_nShellCommand == FilePrintTo && m_strPortName.isEmpty()) {
        m_strPortName = param;
    }
}

void CCommandLineInfo::ParseLast(bool bLast) {
    if (bLast && m_nShellCommand == FileNew && !m_strFileName.isEmpty())
        m_nShellCommand = FileOpen;
}

void AfxParseCommandLine(CCommandLineInfo& info, const QStringList& arguments) {
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        const bool last = i + 1 == arguments.size();
        bool flag = false;
        if (arg.size() > 1 && arg.startsWith(QLatin1Char('-')))
            flag = true;
        else if (arg.size() > 1 && arg.startsWith(QLatin1Char('/')))
            flag = IsKnownSwitch(arg.mid(1)) && !QFileInfo::exists(arg);
        info.ParseParam(flag ? arg.mid(1) : arg, flag, last);
    }
}
