#include "wizard/frmInfo.h"

#include "model/clsSchedule.h"
#include "platform/widgets/DialogParts.h"
#include "platform/widgets/MsgBox.h"
#include "wizard/WizardRules.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
// The three texts of a shift or of the schedule, compared and stored alike.
template <class T>
bool storeInfo(T& target, const QString& title, const QString& initials, const QString& description)
{
    const bool differs = target.title() != title || target.Initials() != initials ||
                         target.Description() != description;
    target.setTitle(title);
    target.setInitials(initials);
    target.setDescription(description);
    return differs;
}
} // namespace

frmInfo::frmInfo(WizardHost& host) : WizardWindow(host, "frmInfo", QStringLiteral("Information"))
{
    auto* grid = new QGridLayout(this);
    int row = 0;
    auto field = [&](const char* labelName, const QString& caption, const char* boxName) {
        auto* l = new QLabel(caption, this);
        l->setObjectName(QString::fromLatin1(labelName));
        auto* box = new QLineEdit(QStringLiteral(" "), this);
        box->setObjectName(QString::fromLatin1(boxName));
        box->setMinimumWidth(320);
        l->setBuddy(box);
        selectAllOnEntry(box);
        grid->addWidget(l, row, 0);
        grid->addWidget(box, row++, 1);
        return box;
    };
    txtTitle = field("lblTitle", QStringLiteral("Title"), "txtTitle");
    txtInitials = field("lblInitials", QStringLiteral("Initials"), "txtInitials");
    txtDescription = field("lblDescription", QStringLiteral("Description"), "txtDescription");
    QPushButton* cmdOK = button("cmdOK", QStringLiteral("OK"));
    cmdOK->setDefault(true);
    QPushButton* cmdCancel = button("cmdCancel", QStringLiteral("Cancel"));
    grid->addLayout(buttonRow({cmdOK, cmdCancel}), row, 0, 1, 2);
    connect(cmdOK, &QPushButton::clicked, this, [this] {
        if (SaveInfo())
            close();
    });
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);
    disableCreateSchedule();
}

void frmInfo::setShiftIndex(int16_t index)
{
    shiftIndex_ = index & 3;
    const auto s = schedule();
    auto fill = [this](const auto& source) {
        txtTitle->setText(source.title());
        txtInitials->setText(source.Initials());
        txtDescription->setText(source.Description());
    };
    if ((shiftIndex_ == 1 || shiftIndex_ == 2) && shiftIndex_ <= shiftCount())
        fill(*s->Shifts()->Item(shiftIndex_));
    else if (shiftIndex_ == 3)
        fill(*s);
}

bool frmInfo::SaveInfo()
{
    const QString title = txtTitle->text(), initials = txtInitials->text(),
                  description = txtDescription->text();
    if (shiftIndex_ != 0) {
        for (const auto& [field, text] : {std::pair{QStringLiteral("title"), title},
                                          std::pair{QStringLiteral("initials"), initials},
                                          std::pair{QStringLiteral("description"), description}}) {
            const QString refused = RefusedTextMessage(field, text);
            if (!refused.isEmpty()) {
                MsgBox(refused, Msg::OKOnly | Msg::Exclamation, windowTitle());
                return false;
            }
        }
    }
    const auto s = schedule();
    bool changed = false;
    if ((shiftIndex_ == 1 || shiftIndex_ == 2) && shiftIndex_ <= shiftCount()) {
        changed = storeInfo(*s->Shifts()->Item(shiftIndex_), title, initials, description);
        // With a single shift the schedule's information follows the shift's.
        if (shiftCount() == 1)
            changed = storeInfo(*s, title, initials, description) || changed;
    } else if (shiftIndex_ == 3) {
        changed = storeInfo(*s, title, initials, description);
    }
    markChanged(changed);
    return true;
}
