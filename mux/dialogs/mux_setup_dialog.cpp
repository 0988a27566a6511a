#include "mux/dialogs/mux_setup_dialog.h"

#include "platform/qt/dialog_buttons.h"
#include "platform/qt/help_key_filter.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace mux {

namespace {

constexpr int NodeRole = Qt::UserRole + 1;

// Node texts are single-byte characters.
QString Text(const std::string& s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

TMuxSetupDlg::TMuxSetupDlg(MuxSetup& setup, platform::Platform& platform,
                           std::function<void(const std::string&)> setAddress, QWidget* parent)
    : QDialog(parent), setup_(setup), platform_(platform), setAddress_(std::move(setAddress)) {
    setObjectName("MuxSetupDlg");
    setWindowTitle("KLV300 Multiplexer Selection");
    setAccessibleName(windowTitle());
    setProperty(platform::HelpContextProperty, HelpContext);

    TreeView1 = new QTreeWidget(this);
    TreeView1->setObjectName("TreeView1");
    TreeView1->setAccessibleName("Multiplexer Tree");
    TreeView1->setHeaderHidden(true);
    TreeView1->setColumnCount(1);
    TreeView1->setSelectionMode(QAbstractItemView::SingleSelection);
    TreeView1->setMinimumSize(260, 300);
    // The selection stays visible when the tree loses the focus.
    QPalette keep = TreeView1->palette();
    keep.setColor(QPalette::Inactive, QPalette::Highlight, keep.color(QPalette::Active, QPalette::Highlight));
    keep.setColor(QPalette::Inactive, QPalette::HighlightedText, keep.color(QPalette::Active, QPalette::HighlightedText));
    TreeView1->setPalette(keep);
    connect(TreeView1, &QTreeWidget::currentItemChanged, this, [this] { TreeView1Change(); });
    connect(TreeView1, &QTreeWidget::itemClicked, this, [this] { TreeView1Change(); });
    connect(TreeView1, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        if (MuxNode* n = NodeOf(item)) n->expanded = true;
    });
    connect(TreeView1, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
        if (MuxNode* n = NodeOf(item)) n->expanded = false;
    });

    TdrQRBaddr = new QLineEdit(QString::fromStdString(setup_.QrbAddress), this);
    TdrQRBaddr->setObjectName("TdrQRBaddr");
    TdrQRBaddr->setAccessibleName("RFX410 QRB Address");
    TdrQRBaddr->setMaxLength(4);
    TdrQRBaddr->setMaximumWidth(60);
    connect(TdrQRBaddr, &QLineEdit::textChanged, this,
            [this](const QString& text) { setup_.QrbAddress = text.toStdString(); });
    auto* qrbLabel = new QLabel("RFX410 QRB &Address:", this);
    qrbLabel->setBuddy(TdrQRBaddr);

    LevLbl = new QLabel("...", this);
    LevLbl->setObjectName("LevLbl");
    LevLbl->setAccessibleName("MuxLevel");
    ChLbl = new QLabel("...", this);
    ChLbl->setObjectName("ChLbl");
    ChLbl->setAccessibleName("Chan");

    auto button = [this](const char* caption, const char* name, const char* hint) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAccessibleName(QString(caption).remove('&'));
        b->setToolTip(hint);
        b->setAutoDefault(false);
        return b;
    };
    AddMux = button("Add &Mux", "AddMux", "Add a multiplexer: the first one, or one cascaded on the selected channel.");
    DelMux = button("&Delete Mux", "DelMux", "Delete the multiplexer the selected channel belongs to.");
    AddProbe = button("Attach &Probe", "AddProbe", "Attach a probe to the selected channel.");
    DelProbe = button("&Remove Probe", "DelProbe", "Remove the probe from the selected channel.");
    connect(AddMux, &QPushButton::clicked, this, [this] { AddMuxClick(); });
    connect(DelMux, &QPushButton::clicked, this, [this] { DelMuxClick(); });
    connect(AddProbe, &QPushButton::clicked, this, [this] { AddProbeClick(); });
    connect(DelProbe, &QPushButton::clicked, this, [this] { DelProbeClick(); });

    auto* side = new QVBoxLayout();
    auto* qrbRow = new QHBoxLayout();
    qrbRow->addWidget(qrbLabel);
    qrbRow->addWidget(TdrQRBaddr);
    qrbRow->addStretch(1);
    side->addLayout(qrbRow);
    auto* selection = new QGridLayout();
    selection->addWidget(new QLabel("MuxLevel = ", this), 0, 0);
    selection->addWidget(LevLbl, 0, 1);
    selection->addWidget(new QLabel("Chan = ", this), 1, 0);
    selection->addWidget(ChLbl, 1, 1);
    selection->setColumnStretch(1, 1);
    side->addLayout(selection);
    side->addSpacing(8);
    for (QPushButton* b : {AddMux, DelMux, AddProbe, DelProbe}) side->addWidget(b);
    side->addStretch(1);

    auto* body = new QHBoxLayout();
    body->addWidget(TreeView1, 1);
    body->addLayout(side);

    const auto buttons = platform::MakeDialogButtons(this, "OKBtn", "CancelBtn", "HelpBtn");
    connect(buttons.ok, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    connect(buttons.cancel, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
    connect(buttons.help, &QPushButton::clicked, this, [this] { HelpBtnClick(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(buttons.row);
    setTabOrder(TdrQRBaddr, TreeView1);

    // FormCreate: the tree of the last run.
    if (auto problem = setup_.LoadAutomaticFile()) platform_.dialogs.message(*problem, platform::MessageKind::Warning);
    RefreshTree();
}

MuxNode* TMuxSetupDlg::NodeOf(QTreeWidgetItem* item) const {
    if (!item) return nullptr;
    return reinterpret_cast<MuxNode*>(item->data(0, NodeRole).value<quintptr>());
}

void TMuxSetupDlg::AddItems(QTreeWidgetItem* parentItem, const MuxNode& parent) {
    for (const auto& child : parent.children) {
        auto* item = parentItem ? new QTreeWidgetItem(parentItem) : new QTreeWidgetItem(TreeView1);
        item->setText(0, Text(child->text));
        item->setData(0, NodeRole, QVariant::fromValue(reinterpret_cast<quintptr>(child.get())));
        AddItems(item, *child);
        item->setExpanded(child->expanded);
        if (child.get() == setup_.Tree().Selected()) TreeView1->setCurrentItem(item);
    }
}

void TMuxSetupDlg::RefreshTree() {
    refreshing_ = true;
    TreeView1->clear();
    MuxTree& tree = setup_.Tree();
    for (const auto& top : tree.TopLevel()) {
        auto* item = new QTreeWidgetItem(TreeView1);
        item->setText(0, Text(top->text));
        item->setData(0, NodeRole, QVariant::fromValue(reinterpret_cast<quintptr>(top.get())));
        AddItems(item, *top);
        item->setExpanded(top->expanded);
        if (top.get() == tree.Selected()) TreeView1->setCurrentItem(item);
    }
    if (!tree.Selected()) TreeView1->setCurrentItem(nullptr);
    if (QString::fromStdString(setup_.QrbAddress) != TdrQRBaddr->text())
        TdrQRBaddr->setText(QString::fromStdString(setup_.QrbAddress));
    refreshing_ = false;
}

void TMuxSetupDlg::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TMuxSetupDlg::FormShow() {
    RefreshTree();
    LevLbl->setText("...");
    ChLbl->setText("...");
    setup_.TakeSnapshot();
    TreeView1->setFocus();
}

void TMuxSetupDlg::TreeView1Change() {
    if (refreshing_) return;
    setup_.Tree().Select(NodeOf(TreeView1->currentItem()));
    UpdateLabels();
}

void TMuxSetupDlg::UpdateLabels() {
    LevLbl->setText(QString::fromStdString(setup_.Tree().LevelLabel()));
    ChLbl->setText(QString::fromStdString(setup_.Tree().ChannelLabel()));
}

void TMuxSetupDlg::Refused() { platform_.tones.messageBeep(platform::Tones::Default); }

void TMuxSetupDlg::AddMuxClick() {
    setup_.Tree().AddMux();
    RefreshTree();
    UpdateLabels();
}

void TMuxSetupDlg::DelMuxClick() {
    switch (setup_.Tree().DelMux()) {
    case DeleteMuxResult::Refused: Refused(); return;
    case DeleteMuxResult::TreeCleared:
        RefreshTree();
        LevLbl->setText("...");
        ChLbl->setText("...");
        return;
    case DeleteMuxResult::MuxDeleted:
        RefreshTree();
        UpdateLabels();
        return;
    }
}

void TMuxSetupDlg::AddProbeClick() {
    if (!setup_.Tree().AddProbe()) return Refused();
    RefreshTree();
}

void TMuxSetupDlg::DelProbeClick() {
    const MuxNode* node = setup_.Tree().Selected();
    const std::string before = node ? node->text : std::string();
    const bool cleared = setup_.Tree().DelProbe();
    if (node && node->text != before) RefreshTree();
    if (!cleared) Refused();
}

void TMuxSetupDlg::OKBtnClick() {
    if (setAddress_) setAddress_(setup_.Tree().SelectedProbeAddress());
    accept();
}

void TMuxSetupDlg::CancelBtnClick() { reject(); }

void TMuxSetupDlg::reject() {
    setup_.RestoreSnapshot();
    RefreshTree();
    QDialog::reject();
}

void TMuxSetupDlg::done(int result) {
    FormCloseQuery();
    QDialog::done(result);
}

void TMuxSetupDlg::FormCloseQuery() {
    std::string error;
    if (!setup_.SaveAutomaticFile(error))
        platform_.dialogs.message("The multiplexer setup could not be kept for the next start. " + error,
                                  platform::MessageKind::Error);
}

void TMuxSetupDlg::HelpBtnClick() { platform_.help.showContext(HelpContext); }

QString TMuxSetupDlg::QrbAddressText() const { return TdrQRBaddr->text(); }

void TMuxSetupDlg::SetQrbAddressText(const QString& text) {
    TdrQRBaddr->setText(text);
    setup_.QrbAddress = text.toStdString();
}

}  // namespace mux
