#pragma once

// The command line: a file to open and the framework's switches. A switch
// starts with "-" or "/" and is compared without regard to case. Because an
// absolute path also starts with "/", an argument with "/" counts as a switch
// only when it names a known switch and is not an existing file.

#include "AfxDefs.h"

#include <QStringList>

class CCommandLineInfo {
public:
    enum ShellCommand {
        FileNew,
        FileOpen,
        FilePrint,
        FilePrintTo,
        FileDDE,
        AppUnregister,
        FileNothing = -1
    };

    virtual ~CCommandLineInfo() = default;
    // Called for each argument: bFlag if it is a switch (then without its "-" or "/").
    virtual void ParseParam(const CString& param, bool bFlag, bool bLast);

    bool m_bShowSplash = true;
    bool m_bRunEmbedded = false;
    bool m_bRunAutomated = false;
    ShellCommand m_nShellCommand = FileNew;
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;

private:
    void ParseParamFlag(const CString& flag);
    void ParseParamNotFlag(const CString& param);
    void ParseLast(bool bLast);
};

// Feeds the arguments (without the program name) to info.ParseParam.
void AfxParseCommandLine(CCommandLineInfo& info, const QStringList& arguments);
