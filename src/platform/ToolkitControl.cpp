#include "platform/ToolkitControl.h"

#include "platform/GraphicsQt.h"
#include "platform/Widgets_p.h"

#include <QHBoxLayout>

ToolkitControl::ToolkitControl(QWidget* inner) : inner_(inner) {
    auto* layout = new QHBoxLayout(&Host());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(inner_);
    // The toolkit widget draws the control; the host only places it.
    Host().setFocusProxy(inner_);
}

void ToolkitControl::SetTextFont(const std::string& font) {
    textFont_ = font;
    ApplyFont();
}

void ToolkitControl::SetTextSize(int size) {
    textSize_ = size;
    ApplyFont();
}

void ToolkitControl::SetBold(bool value) {
    bold_ = value;
    ApplyFont();
}

void ToolkitControl::ApplyFont() {
    inner_->setFont(FontFor(textFont_, textSize_, bold_, false, false));
}
