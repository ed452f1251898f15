// TElStyleManager: named sets of property values ("styles") that the themed controls apply to
// themselves. Each style is a key of the owned store: "\" + a class name (the style of every
// control of that class), "\." + a name (a refinement a control chooses by StyleName), and
// "\(Default)", the fallback. A style's value "InheritsFrom" names the style it builds on
// (default "(Default)"); every other value is named after a property, with dots for
// sub-objects ("Font.Color"), and set through the property table (ElPropertyTable.h).
//
// One application-wide manager exists (GetDefaultStyleManager); themed controls attach to it at
// the end of their construction unless given another. Controls hold their manager through a
// weak reference and register a change link, which the manager calls when its styles change.
#pragma once

#include "widgets/el/foundation/ElComponent.h"
#include "widgets/el/foundation/ElIniFile.h"

#include "framework/Components.h"

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class TElStyleManager;

// A dependant's hook into a manager: Change calls OnChange while the link is registered.
class TElStyleMgrChangeLink {
public:
    TElStyleMgrChangeLink() = default;
    // Leaves the manager it is registered with.
    ~TElStyleMgrChangeLink();
    TElStyleMgrChangeLink(const TElStyleMgrChangeLink&) = delete;
    TElStyleMgrChangeLink& operator=(const TElStyleMgrChangeLink&) = delete;

    // The manager the link is registered with; nil when none (or once it is freed).
    TElStyleManager* Sender() const { return sender_.Get(); }
    TNotifyEvent OnChange;
    virtual void Change();

private:
    friend class TElStyleManager;
    TWeakRef<TElStyleManager> sender_;
};

class TElStyleManager : public TElComponent {
public:
    explicit TElStyleManager(TComponent* AOwner);
    ~TElStyleManager() override;
    const char* ClassName() const override { return "TElStyleManager"; }

    // From another style manager: its styles replace these (one change for the whole copy).
    void Assign(const TPersistent* Source) override;
    void Loaded() override;

    // The styles. Callers who change them bracket the changes with BeginUpdate/EndUpdate so
    // that the controls apply them once.
    TElIniFile& Store() { return *store_; }

    void RegisterChanges(TElStyleMgrChangeLink* Link);
    void UnregisterChanges(TElStyleMgrChangeLink* Link);
    int LinkCount() const { return static_cast<int>(links_.size()); }

    void BeginUpdate();
    // Back at 0 the change is announced; an unmatched call does nothing.
    void EndUpdate();

    // Merges the control's class style (and, for a StyleName beginning with ".", that style on
    // top of it) and sets the merged values on Control.
    void ApplyStyle(TPersistent* Control, const std::string& StyleName);

    // Each value of the merged style, base styles first; a value named again replaces the
    // earlier one in its place. Empty when no style applies.
    struct TStyleValue {
        std::string Name;
        TElIniValue Value;
    };
    std::vector<TStyleValue> MergedStyle(const std::string& ClassName, const std::string& StyleName);

protected:
    // Not while loading: the links, then OnChange.
    virtual void Changed();
    virtual void NotifyLinks();

private:
    // Upper-case names: the styles merged so far, and where each value name sits in the result.
    using TNameSet = std::unordered_set<std::string>;
    using TNameIndex = std::unordered_map<std::string, size_t>;
    // Adds Style and the styles it inherits from (base first) to Values; styles in Visited are
    // skipped, and every style merged joins Visited.
    void MergeStyle(const std::string& Style, TNameSet& Visited, std::vector<TStyleValue>& Values, TNameIndex& Index);
    bool StyleExists(const std::string& Style);

    TOwned<TElIniFile> store_;
    std::vector<TElStyleMgrChangeLink*> links_;
    int updateCount_ = 0;
};

// The application-wide manager; nil once the program is shutting down.
TElStyleManager* GetDefaultStyleManager();
