// DG panels: the common base of palettes and modal dialogs, their events and observers. A panel's layout
// (size, caption, items) comes from a dialog resource of the add-on's resource module.
#pragma once

#include "UniString.hpp"
#include "DGUtility.hpp"

namespace DG {

class Panel;
class Item;
class EventDispatcher;

class DG_DLL_EXPORT PanelEvent {
    friend class Panel;

private:
    Panel* source;

protected:
    PanelEvent(Panel* source, const DG::EventArg& msgData);

public:
    virtual ~PanelEvent();
    Panel* GetSource() const;
};

class DG_DLL_EXPORT PanelCloseEvent : public PanelEvent {
    friend class Panel;

private:
    short retCode;

protected:
    PanelCloseEvent(Panel* source, const DG::EventArg& msgData);

public:
    ~PanelCloseEvent();
    bool IsAccepted() const;
    bool IsCancelled() const;
};

class DG_DLL_EXPORT PanelCloseRequestEvent : public PanelEvent {
    friend class Panel;

private:
    short retCode;

protected:
    PanelCloseRequestEvent(Panel* source, const DG::EventArg& msgData);

public:
    ~PanelCloseRequestEvent();
    bool IsAccepted() const;
    bool IsCancelled() const;
};

class DG_DLL_EXPORT PanelOpenEvent : public PanelEvent {
    friend class Panel;

private:
    short initPosition;

protected:
    PanelOpenEvent(Panel* source, const DG::EventArg& msgData);

public:
    ~PanelOpenEvent();
    bool IsSavedPosition() const;
    bool IsDefaultPosition() const;
};

class DG_DLL_EXPORT PanelResizeEvent : public PanelEvent {
    friend class Panel;

private:
    short hGrow;
    short vGrow;
    bool byUser;

protected:
    PanelResizeEvent(Panel* source, const DG::EventArg& msgData);

public:
    ~PanelResizeEvent();
    bool IsUserResize() const;
    short GetHorizontalChange() const;
    short GetVerticalChange() const;
};

// Receives a panel's events once attached. A close request is accepted unless an observer sets
// *accepted to false. An observer that goes away is detached from every panel.
class DG_DLL_EXPORT PanelObserver {
    friend class Panel;
    friend class EventDispatcher;

protected:
    virtual void PanelClosed(const PanelCloseEvent& ev);
    virtual void PanelCloseRequested(const PanelCloseRequestEvent& ev, bool* accepted);
    virtual void PanelOpened(const PanelOpenEvent& ev);
    virtual void PanelResized(const PanelResizeEvent& ev);

public:
    PanelObserver();
    virtual ~PanelObserver();
};

class DG_DLL_EXPORT Panel {
    friend class EventDispatcher;
    friend class Dialog;

private:
    short panelId;

    virtual short ProcessCloseEvent(const DG::EventArg& msgData);
    virtual short ProcessCloseRequestEvent(const DG::EventArg& msgData);
    virtual short ProcessOpenEvent(const DG::EventArg& msgData);
    virtual short ProcessResizeEvent(DG::EventArg& msgData);

    Panel(const Panel& panel);
    Panel& operator=(const Panel& panel);

protected:
    // What item constructors take: the panel the item belongs to.
    const Panel& GetReference() const;

public:
    Panel();
    virtual ~Panel();

    void Attach(PanelObserver& observer);
    void Detach(PanelObserver& observer);

    bool IsValid() const;
    bool IsExist() const;

    // The host's number for this panel.
    short GetId() const;
    short GetResourceId() const;
    GSResModule GetResourceModule() const;

    short GetWidth() const;
    short GetHeight() const;

    void EnableItems();
    void DisableItems();
    void SetItemStatus(bool enable);

    short GetItemCount() const;
};

}  // namespace DG
