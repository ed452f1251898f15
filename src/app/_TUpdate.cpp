#include "app/_TUpdate.h"

TUpdate::TUpdate(TComponent* AOwner) : TComponent(AOwner)
{
    Port = 80;
    version_.clear();
    latestVersion_.clear();
}

void TUpdate::SetURL(const std::string& Value)
{
    if (Value == url_)
        return;
    url_ = Value;
    if (!url_.empty() && url_.back() != '/')
        url_ += '/';
}
