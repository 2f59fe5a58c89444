#include "platform/ShowURL.h"

#include "platform/TestSeams.h"
#include "platform/Text.h"

#include <QProcess>
#include <QUrl>

#include <iostream>

std::string CompletedURL(const std::string& url) {
    std::string link = Trim(url);
    if (InStr(link, "www.") == 1) link = "http://" + link;
    return link;
}

bool ShowURL(const std::string& url) {
    const std::string link = CompletedURL(url);
    if (link.empty()) {
        std::cerr << "No link to open: the link is empty\n";
        return false;
    }
    const QUrl parsed(QString::fromStdString(link), QUrl::TolerantMode);
    const std::string scheme = Lowercase(parsed.scheme().toStdString());
    if (!parsed.isValid() || (scheme != "http" && scheme != "https" && scheme != "mailto")) {
        std::cerr << "Not opening \"" << link << "\": only http, https and mailto links open\n";
        return false;
    }
    if (TestSeams::Enabled()) {
        TestSeams::RecordURL(link);
        return true;
    }
    // The opener runs on its own; the link is its single argument, never a shell command.
    if (!QProcess::startDetached(QStringLiteral("xdg-open"), {QString::fromStdString(link)})) {
        std::cerr << "Could not open \"" << link
                  << "\": the system opener xdg-open did not start\n";
        return false;
    }
    return true;
}
