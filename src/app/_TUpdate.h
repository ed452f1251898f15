// The update component: the properties of an update check (the files on the server, its host,
// port and address) and the events a check reports through. The check itself is not part of
// the program; the Help menu's command and the update timer start it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "framework/Components.h"

class TUpdate : public TComponent {
public:
    // Port 80; the version texts empty.
    explicit TUpdate(TComponent* AOwner);
    const char* ClassName() const override { return "TUpdate"; }

    std::string UpdateFile;
    std::string HistoryFile;
    std::string Host;
    uint16_t Port = 80;

    const std::string& URL() const { return url_; }
    // Stores a URL that differs from the current one, ending in "/" (appended when missing);
    // an empty URL stays empty.
    void SetURL(const std::string& Value);

    const std::string& Version() const { return version_; }
    const std::string& LatestVersionOnServer() const { return latestVersion_; }
    const std::string& Error() const { return error_; }

    std::function<void(TObject* Sender, int64_t WorkCountMax)> OnWorkBegin;
    std::function<void(TObject* Sender, int64_t WorkCount)> OnWork;
    TNotifyEvent OnWorkEnd;

private:
    std::string url_;
    std::string version_;
    std::string latestVersion_;
    std::string error_;
};
