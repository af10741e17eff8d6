// Message maps: static tables of {message, notify code, control id, signature,
// handler}, each chained to its base class's table.
#pragma once

#include <windows.h>

#define afx_msg

class CCmdTarget;
typedef void (CCmdTarget::*AFX_PMSG)();

enum AfxSig
{
    AfxSig_end = 0,
    AfxSig_vv,       // void ()
    AfxSig_hv,       // HCURSOR ()
    AfxSig_vNMHDRpl, // void (NMHDR*, LRESULT*)
    AfxSig_lwl,      // LRESULT (WPARAM, LPARAM)
};

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;
    UINT nCode;
    UINT nID;
    UINT nLastID;
    UINT_PTR nSig;
    AFX_PMSG pfn;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                                                                      \
public:                                                                                            \
    static const AFX_MSGMAP* GetThisMessageMap();                                                  \
                                                                                                   \
protected:                                                                                         \
    virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }              \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                                \
    {                                                                                              \
        using ThisClass [[maybe_unused]] = theClass;                                               \
        typedef baseClass TheBaseClass;                                                            \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                          \
    {                                                                                              \
        0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0                                                        \
    }                                                                                              \
    }                                                                                              \
    ;                                                                                              \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]};  \
    return &messageMap;                                                                            \
    }

// A map stores every handler as AFX_PMSG; its signature tells the real type.
template <class PMSG> AFX_PMSG AfxMsgEntryFunction(PMSG pfn)
{
    static_assert(sizeof(PMSG) == sizeof(AFX_PMSG), "member function pointers differ in size");
    union
    {
        PMSG from;
        AFX_PMSG to;
    } u;
    u.from = pfn;
    return u.to;
}

template <class PMSG> PMSG AfxMsgFunction(AFX_PMSG pfn)
{
    union
    {
        AFX_PMSG from;
        PMSG to;
    } u;
    u.from = pfn;
    return u.to;
}

// Each entry casts the handler to the exact type its signature expects, so a
// handler of the wrong type does not compile.
#define AFX_MSG_ENTRY(msg, code, id, sig, type, memberFxn)                                         \
    {msg, code, id, id, sig, AfxMsgEntryFunction(static_cast<type>(&ThisClass::memberFxn))},

#define ON_WM_PAINT() AFX_MSG_ENTRY(WM_PAINT, 0, 0, AfxSig_vv, void (CWnd::*)(), OnPaint)
#define ON_WM_QUERYDRAGICON()                                                                      \
    AFX_MSG_ENTRY(WM_QUERYDRAGICON, 0, 0, AfxSig_hv, HCURSOR (CWnd::*)(), OnQueryDragIcon)
#define ON_WM_CLOSE() AFX_MSG_ENTRY(WM_CLOSE, 0, 0, AfxSig_vv, void (CWnd::*)(), OnClose)
#define ON_WM_DESTROY() AFX_MSG_ENTRY(WM_DESTROY, 0, 0, AfxSig_vv, void (CWnd::*)(), OnDestroy)
// A message of the program's own (WM_APP + n), with its parameters as they came.
#define ON_MESSAGE(message, memberFxn)                                                             \
    AFX_MSG_ENTRY(message, 0, 0, AfxSig_lwl, LRESULT (CWnd::*)(WPARAM, LPARAM), memberFxn)

// Menu commands and accelerators are routed with notify code 0, as BN_CLICKED is.
#define ON_COMMAND(id, memberFxn)                                                                  \
    AFX_MSG_ENTRY(WM_COMMAND, 0, id, AfxSig_vv, void (CCmdTarget::*)(), memberFxn)
#define ON_CONTROL(wNotifyCode, id, memberFxn)                                                     \
    AFX_MSG_ENTRY(WM_COMMAND, wNotifyCode, id, AfxSig_vv, void (CCmdTarget::*)(), memberFxn)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                                      \
    AFX_MSG_ENTRY(WM_NOTIFY, (UINT)wNotifyCode, id, AfxSig_vNMHDRpl,                               \
                  void (CWnd::*)(NMHDR*, LRESULT*), memberFxn)
