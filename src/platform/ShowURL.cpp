#include "platform/ShowURL.h"

#include "platform/TestSeams.h"
#include "platform/Text.h"
#include "platform/Toolkit.h"

#include <QDesktopServices>
#include <QUrl>

bool ShowURL(const std::string& url) {
    const QUrl parsed(QString::fromStdString(url), QUrl::TolerantMode);
    const std::string scheme = Lowercase(parsed.scheme().toStdString());
    if (!parsed.isValid() || (scheme != "http" && scheme != "https" && scheme != "mailto"))
        return false;
    if (TestSeams::Enabled()) {
        TestSeams::RecordURL(url);
        return true;
    }
    EnsureToolkit();
    return QDesktopServices::openUrl(parsed);
}
