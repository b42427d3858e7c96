// DG panels: the common base of palettes and modal dialogs, their observers and events. A panel's layout
// (size, caption, items) comes from a dialog resource of the add-on's resource module; items are numbered
// from 1 in layout order.
#pragma once

#include "API_Guid.hpp"
#include "UniString.hpp"

namespace DG {

class Panel;

class HOSTLIB_API PanelEvent {
public:
    explicit PanelEvent(Panel* source) : source_(source) {}
    virtual ~PanelEvent();
    Panel* GetSource() const { return source_; }

private:
    Panel* source_;
};

class HOSTLIB_API PanelOpenEvent : public PanelEvent {
public:
    using PanelEvent::PanelEvent;
    ~PanelOpenEvent() override;
};

class HOSTLIB_API PanelCloseRequestEvent : public PanelEvent {
public:
    using PanelEvent::PanelEvent;
    ~PanelCloseRequestEvent() override;
};

class HOSTLIB_API PanelCloseEvent : public PanelEvent {
public:
    PanelCloseEvent(Panel* source, bool accepted) : PanelEvent(source), accepted_(accepted) {}
    ~PanelCloseEvent() override;
    bool IsAccepted() const { return accepted_; }
    bool IsCancelled() const { return !accepted_; }

private:
    bool accepted_;
};

class HOSTLIB_API PanelResizeEvent : public PanelEvent {
public:
    PanelResizeEvent(Panel* source, Int32 horizontalChange, Int32 verticalChange)
        : PanelEvent(source), horizontalChange_(horizontalChange), verticalChange_(verticalChange)
    {
    }
    ~PanelResizeEvent() override;
    Int32 GetHorizontalChange() const { return horizontalChange_; }
    Int32 GetVerticalChange() const { return verticalChange_; }

private:
    Int32 horizontalChange_;
    Int32 verticalChange_;
};

// Receives a panel's events once attached. A close request is accepted unless an observer sets
// *accepted to false. An observer that goes away is detached from every panel.
class HOSTLIB_API PanelObserver {
public:
    PanelObserver() = default;
    PanelObserver(const PanelObserver&) = delete;
    PanelObserver& operator=(const PanelObserver&) = delete;
    virtual ~PanelObserver();

    virtual void PanelOpened(const PanelOpenEvent& ev);
    virtual void PanelCloseRequested(const PanelCloseRequestEvent& ev, bool* accepted);
    virtual void PanelClosed(const PanelCloseEvent& ev);
    virtual void PanelResized(const PanelResizeEvent& ev);
};

class HOSTLIB_API Panel {
public:
    Panel(const Panel&) = delete;
    Panel& operator=(const Panel&) = delete;
    virtual ~Panel();

    // What item constructors take: the panel the item belongs to.
    const Panel& GetReference() const { return *this; }
    // The host's number for this panel, unique while the process runs.
    Int32 GetId() const { return id_; }
    short GetResourceId() const { return resId_; }
    short GetItemCount() const;

    void Attach(PanelObserver& observer);
    void Detach(PanelObserver& observer);

    void SetTitle(const GS::UniString& title);
    GS::UniString GetTitle() const;
    Int32 GetWidth() const;
    Int32 GetHeight() const;

    // Item moves and resizes between these two are shown at once, at the end.
    void BeginMoveResizeItems();
    void EndMoveResizeItems();

    void EnableItems();
    void DisableItems();

protected:
    enum class Kind { Palette, ModalDialog };
    Panel(GSResModule resModule, short resId, GSResModule iconResModule, Kind kind, const GS::Guid& guid);

private:
    Int32 id_ = 0;
    short resId_ = 0;
};

}  // namespace DG
