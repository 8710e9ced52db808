#include "desktop/binding/accessibility.h"

#include <QAccessibleWidget>

#include "desktop/binding/widgets.h"

namespace platform::qt {

namespace {

class LabelAccessible final : public QAccessibleWidget {
  public:
    explicit LabelAccessible(LabelWidget* label)
        : QAccessibleWidget(label,
                            label->clickable() ? QAccessible::Button : QAccessible::StaticText) {}

    LabelWidget* label() const { return static_cast<LabelWidget*>(widget()); }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && label()->accessibleName().isEmpty())
            return label()->text();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        // A marker that shows only its colour and takes no click is decoration.
        if (!label()->clickable() && text(QAccessible::Name).isEmpty())
            s.invisible = true;
        return s;
    }

    QStringList actionNames() const override {
        return label()->clickable() ? QStringList{pressAction()} : QStringList{};
    }

    void doAction(const QString& name) override {
        if (name == pressAction() && label()->isEnabled() && label()->onClick)
            label()->onClick();
    }
};

QAccessibleInterface* interfaceFor(const QString&, QObject* object) {
    if (auto* label = dynamic_cast<LabelWidget*>(object))
        return new LabelAccessible(label);
    if (auto* box = dynamic_cast<PictureBoxWidget*>(object))
        return new QAccessibleWidget(box, QAccessible::Grouping);
    if (auto* image = dynamic_cast<ImageWidget*>(object))
        return new QAccessibleWidget(image, QAccessible::Graphic);
    return nullptr;
}

} // namespace

void installAccessibility() {
    static const bool installed = (QAccessible::installFactory(interfaceFor), true);
    (void)installed;
}

} // namespace platform::qt
