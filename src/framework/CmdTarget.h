#pragma once

// Command targets and their handler tables. Each class lists its handlers in a
// table (BEGIN_MESSAGE_MAP ... END_MESSAGE_MAP) that chains to its base class's
// table; OnCmdMsg looks a command, an enable request or a control notification
// up in that chain. Routing beyond the object itself (view, document, frame,
// application) is done by the overrides of OnCmdMsg in those classes.

#include "AfxDefs.h"
#include "RuntimeClass.h"

#include <functional>
#include <initializer_list>
#include <vector>

class CCmdTarget;
class CCmdUI;

// Filled by OnCmdMsg when a caller only asks whether a handler exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget = nullptr;
};

struct AFX_MSGMAP_ENTRY {
    int nCode;    // CN_COMMAND (also BN_CLICKED), CN_UPDATE_COMMAND_UI or a notification code
    UINT nID;     // first id
    UINT nLastID; // last id of a range
    std::function<void(CCmdTarget*, UINT, void*)> pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* pBaseMap;
    std::vector<AFX_MSGMAP_ENTRY> entries;
};

// Builders used by the ON_... macros: they bind a member function of T.
template <class T> AFX_MSGMAP_ENTRY AfxCommandEntry(int nCode, UINT nID, void (T::*fn)()) {
    return {nCode, nID, nID, [fn](CCmdTarget* p, UINT, void*) { (static_cast<T*>(p)->*fn)(); }};
}
template <class T> AFX_MSGMAP_ENTRY AfxRangeEntry(UINT nFirst, UINT nLast, void (T::*fn)(UINT)) {
    return {CN_COMMAND, nFirst, nLast,
            [fn](CCmdTarget* p, UINT nID, void*) { (static_cast<T*>(p)->*fn)(nID); }};
}
template <class T>
AFX_MSGMAP_ENTRY AfxUpdateEntry(UINT nFirst, UINT nLast, void (T::*fn)(CCmdUI*)) {
    return {CN_UPDATE_COMMAND_UI, nFirst, nLast, [fn](CCmdTarget* p, UINT, void* pExtra) {
                (static_cast<T*>(p)->*fn)(static_cast<CCmdUI*>(pExtra));
            }};
}

#define DECLARE_MESSAGE_MAP()                                                                      \
protected:                                                                                         \
    static const AFX_MSGMAP* GetThisMessageMap();                                                  \
                                                                                                   \
public:                                                                                            \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const {                                            \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                              \
        using ThisClass [[maybe_unused]] = theClass;                                               \
        static const AFX_MSGMAP messageMap {                                                       \
            baseClass::GetThisMessageMap(), {

#define END_MESSAGE_MAP()                                                                          \
    }                                                                                              \
    }                                                                                              \
    ;                                                                                              \
    return &messageMap;                                                                            \
    }

#define ON_COMMAND(id, memberFxn) AfxCommandEntry<ThisClass>(CN_COMMAND, id, memberFxn),
#define ON_COMMAND_RANGE(id, idLast, memberFxn) AfxRangeEntry<ThisClass>(id, idLast, memberFxn),
#define ON_UPDATE_COMMAND_UI(id, memberFxn) AfxUpdateEntry<ThisClass>(id, id, memberFxn),
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                                          \
    AfxUpdateEntry<ThisClass>(id, idLast, memberFxn),
#define ON_BN_CLICKED(id, memberFxn) AfxCommandEntry<ThisClass>(BN_CLICKED, id, memberFxn),
#define ON_EN_CHANGE(id, memberFxn) AfxCommandEntry<ThisClass>(EN_CHANGE, id, memberFxn),
#define ON_EN_KILLFOCUS(id, memberFxn) AfxCommandEntry<ThisClass>(EN_KILLFOCUS, id, memberFxn),
#define ON_EN_SETFOCUS(id, memberFxn) AfxCommandEntry<ThisClass>(EN_SETFOCUS, id, memberFxn),

class CCmdTarget : public CObject {
public:
    // Looks the id and code up in this object's handler tables. With pHandlerInfo
    // set it only reports whether a handler exists; otherwise it runs the handler
    // (for CN_UPDATE_COMMAND_UI pExtra is the CCmdUI). True if a handler took it.
    virtual bool OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    virtual const AFX_MSGMAP* GetMessageMap() const;

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
};
