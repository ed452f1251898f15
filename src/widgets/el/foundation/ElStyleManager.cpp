#include "widgets/el/foundation/ElStyleManager.h"

#include "widgets/el/foundation/ElPropertyTable.h"

#include "framework/Streams.h"

#include <algorithm>
#include <cctype>
#include <exception>

namespace {

constexpr char kDefaultStyle[] = "(Default)";
constexpr char kInheritsFrom[] = "InheritsFrom";

// Style and value names compare without regard to case, as the store's names do.
std::string UpperName(std::string S)
{
    for (char& c : S)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return S;
}

std::string StyleKey(const std::string& Style)
{
    return "\\" + Style;
}

}  // namespace

// ---- TElStyleMgrChangeLink

TElStyleMgrChangeLink::~TElStyleMgrChangeLink()
{
    if (TElStyleManager* manager = sender_.Get())
        manager->UnregisterChanges(this);
}

void TElStyleMgrChangeLink::Change()
{
    if (OnChange)
        OnChange(sender_.Get());
}

// ---- TElStyleManager

TElStyleManager::TElStyleManager(TComponent* AOwner) : TElComponent(AOwner), store_(new TElIniFile(nullptr))
{
    store_->OpenKey(StyleKey(kDefaultStyle), true);
    store_->OpenKey("\\", false);
}

TElStyleManager::~TElStyleManager()
{
    // The links outlive the manager; they must not point back at it.
    for (TElStyleMgrChangeLink* link : links_)
        link->sender_ = nullptr;
}

void TElStyleManager::Assign(const TPersistent* Source)
{
    const auto* other = dynamic_cast<const TElStyleManager*>(Source);
    if (!other) {
        TElComponent::Assign(Source);
        return;
    }
    if (other == this)
        return;
    TMemoryStream image;
    const_cast<TElStyleManager*>(other)->store_->SaveToStream(image);
    image.Seek(0, soBeginning);
    BeginUpdate();
    store_->LoadFromStream(image);
    EndUpdate();
}

void TElStyleManager::Loaded()
{
    TElComponent::Loaded();
    Changed();
}

void TElStyleManager::RegisterChanges(TElStyleMgrChangeLink* Link)
{
    if (!Link)
        return;
    if (TElStyleManager* previous = Link->sender_.Get(); previous && previous != this)
        previous->UnregisterChanges(Link);
    if (std::find(links_.begin(), links_.end(), Link) == links_.end())
        links_.push_back(Link);
    Link->sender_ = this;
}

void TElStyleManager::UnregisterChanges(TElStyleMgrChangeLink* Link)
{
    auto it = std::find(links_.begin(), links_.end(), Link);
    if (it == links_.end())
        return;
    links_.erase(it);
    Link->sender_ = nullptr;
}

void TElStyleManager::BeginUpdate()
{
    ++updateCount_;
}

void TElStyleManager::EndUpdate()
{
    if (updateCount_ == 0)
        return;
    if (--updateCount_ == 0)
        Changed();
}

void TElStyleManager::Changed()
{
    if (IsLoading())
        return;
    NotifyLinks();
    DoChange();
}

void TElStyleManager::NotifyLinks()
{
    // A link's handler may free its control (and the link) or register others: walk a copy and
    // call only the links still registered.
    const std::vector<TElStyleMgrChangeLink*> snapshot = links_;
    for (TElStyleMgrChangeLink* link : snapshot)
        if (std::find(links_.begin(), links_.end(), link) != links_.end())
            link->Change();
}

bool TElStyleManager::StyleExists(const std::string& Style)
{
    return !Style.empty() && store_->KeyExists(StyleKey(Style));
}

void TElStyleManager::MergeStyle(const std::string& Style, TNameSet& Visited, std::vector<TStyleValue>& Values,
                                 TNameIndex& Index)
{
    // The chain from Style down to its last base, collected without recursion: the store decides
    // how long it is, and a circle ends at the first style met again.
    // A style that does not exist merges nothing; a base that does not exist reads as one that
    // names no base of its own, so the chain goes on with "(Default)".
    std::vector<std::string> chain;
    if (!StyleExists(Style))
        return;
    for (std::string current = Style; Visited.insert(UpperName(current)).second;) {
        if (!StyleExists(current)) {
            current = kDefaultStyle;
            continue;
        }
        chain.push_back(current);
        std::string base;
        store_->ReadString(StyleKey(current), kInheritsFrom, kDefaultStyle, base);
        current = std::move(base);
    }
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        const std::string key = StyleKey(*it);
        std::vector<std::string> names;
        store_->EnumValues(key, names);
        for (const std::string& name : names) {
            const std::string upper = UpperName(name);
            if (upper == UpperName(kInheritsFrom))
                continue;
            const TElIniEntry* entry = store_->GetValueEntry(key, name);
            if (!entry)
                continue;
            if (auto same = Index.find(upper); same != Index.end()) {
                Values[same->second].Value = entry->Value;
            } else {
                Index.emplace(upper, Values.size());
                Values.push_back({name, entry->Value});
            }
        }
    }
}

std::vector<TElStyleManager::TStyleValue> TElStyleManager::MergedStyle(const std::string& ClassName,
                                                                        const std::string& StyleName)
{
    // Everything lives in this call's locals, so a setter that applies a style again (through
    // its control's UpdateStyle) cannot disturb the merge it was called from.
    TNameSet visited;
    TNameIndex index;
    std::vector<TStyleValue> values;
    if (StyleName.empty() || StyleName.front() != '.') {
        MergeStyle(StyleExists(ClassName) ? ClassName : std::string(kDefaultStyle), visited, values, index);
    } else {
        MergeStyle(ClassName, visited, values, index);
        MergeStyle(StyleName, visited, values, index);
    }
    return values;
}

void TElStyleManager::ApplyStyle(TPersistent* Control, const std::string& StyleName)
{
    if (!Control)
        return;
    const std::vector<TStyleValue> values = MergedStyle(Control->ClassName(), StyleName);
    for (const TStyleValue& v : values)
        ElPropertyTable().SetValue(*Control, v.Name, v.Value);
}

// ---- the default manager

namespace {

struct TDefaultStyleManager {
    TOwned<TElStyleManager> Manager{new TElStyleManager(nullptr)};
    ~TDefaultStyleManager() { Finished = true; }
    static inline bool Finished = false;
};

}  // namespace

TElStyleManager* GetDefaultStyleManager()
{
    if (TDefaultStyleManager::Finished)
        return nullptr;
    static TDefaultStyleManager holder;
    return holder.Manager.get();
}
