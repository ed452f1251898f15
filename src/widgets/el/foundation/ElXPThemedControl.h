// TElXPThemedControl: the windowed base of the widget layer's visual controls. It keeps the
// control's visual-styles theme (open while the window exists and UseXPThemes is set), paints
// the non-client border through the theme, and links the control to a style manager.
//
// Deriving a control:
//   - name the theme class: GetThemedClassName() ("EDIT", "BUTTON", "PROGRESS", ...);
//   - paint the client area in Paint(), choosing themed or classic painting by
//     IsThemeApplied() and drawing themed parts with Theme() through ElUxTheme();
//   - bracket the constructor's body with BeginCreate() / EndCreate();
//   - list the properties styles may set (its own, not the inherited ones) in a function the
//     constructor registers once: ElPropertyTable().RegisterOnce<TMyControl>(RegisterMine);
//   - a control that needs more theme handles overrides CreateThemeHandle / FreeThemeHandle,
//     calling the inherited ones, and closes its own handles in its destructor as well.
//
// Construction: the base opens a construction bracket that closes after the most derived
// constructor (when the component is built through CreateComponent, is loaded with its form,
// or gets its window, whichever comes first). Only the outermost EndCreate attaches the default
// style manager, so no style is applied to a half-built control.
#pragma once

#include "widgets/el/foundation/ElPropertyTable.h"
#include "widgets/el/foundation/ElStyleManager.h"
#include "widgets/el/foundation/ElUxTheme.h"

#include "framework/CustomControls.h"

#include <memory>
#include <string>

// Asks a themed control for its theme handle (the result; 0 when none).
constexpr UINT EL_THEMEHANDLE = 0x0D5E;

// The widget layer's repaint notification (WM_USER + 7): a panel sends it to each of its child
// controls with itself in LParam; a control that shows its parent through its face repaints.
constexpr UINT EL_REPAINTNOTIFY = WM_USER + 7;

class TElXPThemedControl : public TCustomControl {
public:
    explicit TElXPThemedControl(TComponent* AOwner);
    ~TElXPThemedControl() override;
    const char* ClassName() const override { return "TElXPThemedControl"; }
    void AfterConstruction() override;
    void Loaded() override;
    void WndProc(TMessage& Message) override;

    // Shown in property lists only; it has no effect.
    std::string About;

    bool UseXPThemes() const { return useXPThemes_; }
    virtual void SetUseXPThemes(bool Value);
    // The open theme; null when none.
    HTHEME Theme() const { return theme_; }
    // UseXPThemes and a theme open: paint themed.
    bool IsThemeApplied() const { return useXPThemes_ && theme_ != nullptr; }

    TElStyleManager* StyleManager() const { return styleManager_.Get(); }
    virtual void SetStyleManager(TElStyleManager* Value);
    const std::string& StyleName() const { return styleName_; }
    virtual void SetStyleName(const std::string& Value);
    // Applies the manager's style for this control (nothing while loading or without manager).
    void UpdateStyle();

protected:
    void BeginCreate() { ++createCount_; }
    void EndCreate();

    virtual std::u16string GetThemedClassName() const = 0;
    virtual void FreeThemeHandle();
    virtual void CreateThemeHandle();
    void CreateWnd() override;
    void DestroyWnd() override;

    // While set, WM_STYLECHANGING and WM_STYLECHANGED are swallowed (result 0).
    bool IgnoreStyleChanges = false;

private:
    // Closes the bracket the base constructor opened, once.
    void FinishConstruction();
    void PaintThemedFrame();
    void RepaintScrollBars();

    bool useXPThemes_ = true;
    HTHEME theme_ = nullptr;
    std::unique_ptr<TElStyleMgrChangeLink> styleLink_;
    TWeakRef<TElStyleManager> styleManager_;
    std::string styleName_;
    int createCount_ = 0;
    bool constructionPending_ = false;
};

// The properties every themed control lets styles set (colour, font, enabled, hint, bevels,
// UseXPThemes, ...). Descendants call it from their own registration function.
void RegisterThemedControlProperties(TElPropertyTable& Table);
