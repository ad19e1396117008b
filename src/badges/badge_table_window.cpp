#include "badges/badge_table_window.h"

#include "badges/badge_table_model.h"
#include "core/badges/listfile.h"
#include "core/badges/tables.h"
#include "platform/reports/formats.h"
#include "platform/reports/table_report.h"
#include "platform/keyboard.h"
#include "platform/text.h"
#include "platform/window_place.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <set>

namespace platine {

// --- The window's controls --------------------------------------------------------

struct BadgeTableWindow::Ui {
    QLineEdit *filtre = nullptr;
    QComboBox *filtre_validite = nullptr;
    QLabel *compte = nullptr;
    QTableView *tableau = nullptr;
    QGroupBox *modification = nullptr;
    QCheckBox *plage = nullptr;
    QLineEdit *heure_debut = nullptr, *minute_debut = nullptr, *heure_fin = nullptr,
              *minute_fin = nullptr;
    QCheckBox *h24 = nullptr;
    QCheckBox *jours = nullptr;
    QComboBox *jour = nullptr;
    QCheckBox *lieuCoche = nullptr;
    QLineEdit *lieu = nullptr;
    QCheckBox *tousLieux = nullptr;
    QCheckBox *jourDuMoisCoche = nullptr;
    QLineEdit *jourDuMois = nullptr;
    QCheckBox *validiteCoche = nullptr;
    QLineEdit *valide_du = nullptr, *valide_jusqu_au = nullptr;
    QPushButton *modifier = nullptr;
    QPushButton *supprimer = nullptr;
    QPushButton *imprimer = nullptr, *pdf = nullptr;
    QLabel *message = nullptr;

    void build(QWidget *w)
    {
        auto named = [](auto *widget, const char *name) {
            widget->setObjectName(QLatin1String(name));
            return widget;
        };
        auto field = [&](const char *name, const char *text, int width) {
            auto *e = named(new QLineEdit(QString::fromUtf8(text)), name);
            e->setAlignment(Qt::AlignCenter);
            e->setMaximumWidth(width);
            return e;
        };
        auto *top = new QVBoxLayout(w);
        auto *filterRow = new QHBoxLayout;
        filterRow->addWidget(new QLabel(tr("Filtrer :")));
        filtre = named(new QLineEdit, "filtre");
        filtre->setPlaceholderText(tr("numéro ou nom du badge"));
        filtre->setClearButtonEnabled(true);
        filterRow->addWidget(filtre, 1);
        filtre_validite = named(new QComboBox, "filtre_validite");
        filtre_validite->addItem(BadgeTableWindow::tr("Toutes les validités"));
        filtre_validite->addItem(BadgeTableWindow::tr("Expirés"));
        filtre_validite->addItem(BadgeTableWindow::tr("Expirent dans %1 jours ou moins")
                                     .arg(BadgeTableFilter::kEndingSoonDays));
        filterRow->addWidget(filtre_validite);
        compte = named(new QLabel, "compte");
        filterRow->addWidget(compte);
        top->addLayout(filterRow);

        tableau = named(new QTableView, "tableau");
        tableau->setSelectionBehavior(QAbstractItemView::SelectRows);
        tableau->setSelectionMode(QAbstractItemView::ExtendedSelection);
        tableau->setEditTriggers(QAbstractItemView::NoEditTriggers);
        tableau->setSortingEnabled(true);
        tableau->setTabKeyNavigation(false); // Tab goes on to the next control
        tableau->setAlternatingRowColors(true);
        tableau->verticalHeader()->setVisible(false);
        tableau->horizontalHeader()->setStretchLastSection(true);
        top->addWidget(tableau, 1);

        modification = named(new QGroupBox(tr("Modifier la sélection")), "modification");
        auto *grid = new QGridLayout(modification);
        plage = named(new QCheckBox(tr("Plage horaire :")), "plage");
        heure_debut = field("heure_debut", "07", 36);
        minute_debut = field("minute_debut", "30", 36);
        heure_fin = field("heure_fin", "17", 36);
        minute_fin = field("minute_fin", "30", 36);
        h24 = named(new QCheckBox(tr("24h/24")), "h24");
        auto *times = new QHBoxLayout;
        times->addWidget(heure_debut);
        times->addWidget(new QLabel(tr("H")));
        times->addWidget(minute_debut);
        times->addWidget(new QLabel(tr("à")));
        times->addWidget(heure_fin);
        times->addWidget(new QLabel(tr("H")));
        times->addWidget(minute_fin);
        times->addWidget(h24);
        times->addStretch();
        grid->addWidget(plage, 0, 0);
        grid->addLayout(times, 0, 1);

        jours = named(new QCheckBox(tr("Jour(s) :")), "jours");
        jour = named(new QComboBox, "jour");
        for (const char *day : kDayChoices)
            jour->addItem(QString::fromUtf8(day));
        jour->setCurrentIndex(kNewRecordDayCode);
        grid->addWidget(jours, 1, 0);
        grid->addWidget(jour, 1, 1, Qt::AlignLeft);

        lieuCoche = named(new QCheckBox(tr("Lieu :")), "lieu_coche");
        lieu = field("lieu", "1", 40);
        tousLieux = named(new QCheckBox(tr("Tous les lieux autorisés")), "tous_lieux");
        auto *place = new QHBoxLayout;
        place->addWidget(lieu);
        place->addWidget(tousLieux);
        place->addStretch();
        grid->addWidget(lieuCoche, 2, 0);
        grid->addLayout(place, 2, 1);

        jourDuMoisCoche = named(new QCheckBox(tr("Jour du mois :")), "jour_du_mois_coche");
        jourDuMois = field("jour_du_mois", "0", 40);
        grid->addWidget(jourDuMoisCoche, 3, 0);
        grid->addWidget(jourDuMois, 3, 1, Qt::AlignLeft);

        validiteCoche = named(new QCheckBox(BadgeTableWindow::tr("Valide du :")), "validite_coche");
        valide_du = field("valide_du", "", 90);
        valide_jusqu_au = field("valide_jusqu_au", "", 90);
        for (QLineEdit *e : {valide_du, valide_jusqu_au}) {
            e->setPlaceholderText(BadgeTableWindow::tr("jj/mm/aaaa"));
            e->setToolTip(BadgeTableWindow::tr("Vide : sans limite"));
        }
        auto *dates = new QHBoxLayout;
        dates->addWidget(valide_du);
        dates->addWidget(new QLabel(BadgeTableWindow::tr("Valide jusqu'au :")));
        dates->addWidget(valide_jusqu_au);
        dates->addStretch();
        grid->addWidget(validiteCoche, 4, 0);
        grid->addLayout(dates, 4, 1);
        top->addWidget(modification);

        auto *buttons = new QHBoxLayout;
        message = named(new QLabel, "message");
        message->setWordWrap(true);
        buttons->addWidget(message, 1);
        imprimer = named(new QPushButton(tr("Imprimer…")), "imprimer");
        imprimer->setToolTip(tr("Imprime le tableau tel qu'il est affiché"));
        pdf = named(new QPushButton(tr("PDF…")), "pdf");
        pdf->setToolTip(tr("Enregistre le tableau tel qu'il est affiché en PDF"));
        buttons->addWidget(imprimer);
        buttons->addWidget(pdf);
        modifier = named(new QPushButton(tr("Modifier la sélection")), "modifier_selection");
        modifier->setToolTip(tr("Donne les champs cochés à tous les badges choisis"));
        supprimer = named(new QPushButton(QStringLiteral("Supprimer")), "supprimer");
        supprimer->setToolTip(tr("Retire les badges choisis de la liste"));
        buttons->addWidget(modifier);
        buttons->addWidget(supprimer);
        top->addLayout(buttons);
    }
};

// --- The window -----------------------------------------------------------------------

BadgeTableWindow::BadgeTableWindow(Actions actions, Dialogs &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window), m_ui(std::make_unique<Ui>()), m_actions(std::move(actions)),
      m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("tableau_des_badges"));
    // On a screen smaller than the window, the window scrolls.
    m_ui->build(scrollingPage(this));
    m_model = new Model(this);
    m_filter = new Filter(this);
    m_filter->setSourceModel(m_model);
    m_filter->setSortRole(Qt::UserRole);
    m_ui->tableau->setModel(m_filter);
    m_ui->tableau->sortByColumn(-1,
                                Qt::AscendingOrder); // the list's order until a header is clicked
    m_ui->tableau->installEventFilter(this);
    m_ui->filtre->installEventFilter(this);
    // From the keyboard: Return on the focused button, an access key on
    // each button, Escape closes the window.
    returnPressesButtons(this);
    giveAccessKeys({m_ui->imprimer, m_ui->pdf, m_ui->modifier, m_ui->supprimer});
    escapeCloses(this);
    resize(760, 520);

    connect(m_ui->filtre, &QLineEdit::textChanged, this, &BadgeTableWindow::filterChanged);
    connect(m_ui->filtre_validite, &QComboBox::currentIndexChanged, this, [this](int i) {
        m_filter->setDates(BadgeTableFilter::Dates(std::max(0, i)));
        showCount();
    });
    connect(m_ui->tableau, &QTableView::doubleClicked, this, [this] { openCurrent(); });
    connect(m_ui->modifier, &QPushButton::clicked, this, [this] { changeSelected(); });
    connect(m_ui->supprimer, &QPushButton::clicked, this, [this] { removeSelected(); });
    connect(m_ui->imprimer, &QPushButton::clicked, this, [this] { printReport(report(), this); });
    connect(m_ui->pdf, &QPushButton::clicked, this, [this] { pdfClicked(); });
    // The editor's reactions: 24h/24 and all places stand for 99.
    connect(m_ui->h24, &QCheckBox::toggled, this, [this](bool on) {
        for (QLineEdit *e :
             {m_ui->heure_debut, m_ui->minute_debut, m_ui->heure_fin, m_ui->minute_fin})
            e->setEnabled(!on);
    });
    connect(m_ui->tousLieux, &QCheckBox::toggled, m_ui->lieu, &QWidget::setDisabled);
    showCount();
}

BadgeTableWindow::~BadgeTableWindow() = default;

void BadgeTableWindow::showList(const QString &fileTitle, std::string_view content,
                                const boards::BoardDiff *diff, const Date &today)
{
    setWindowTitle(tr("Tableau des badges — %1").arg(fileTitle));
    // Every record of the file, those the board cannot keep included.
    std::vector<BadgeRow> rows = listRows(content);
    if (today.year > 0)
        boards::addStates(rows, content, diff, today);
    m_model->setRows(std::move(rows));
    // Every column is measured whole, so a name or a day choice shows on one line.
    m_ui->tableau->resizeColumnsToContents();
    showCount();
}

int BadgeTableWindow::shownCount() const
{
    return m_filter->rowCount();
}

int BadgeTableWindow::totalCount() const
{
    return m_model->rowCount();
}

QString BadgeTableWindow::cell(int row, int column) const
{
    return m_filter->index(row, column).data().toString();
}

std::vector<std::string> BadgeTableWindow::selectedSections() const
{
    std::vector<std::string> out;
    std::set<int> seen;
    QModelIndexList rows = m_ui->tableau->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    for (const QModelIndex &i : rows) {
        const int source = m_filter->mapToSource(i).row();
        if (!m_model->row(source).retire && seen.insert(source).second)
            out.push_back(m_model->row(source).section);
    }
    return out;
}

void BadgeTableWindow::openCurrent()
{
    const QModelIndex current = m_ui->tableau->currentIndex();
    if (!current.isValid() || !m_actions.open)
        return;
    const BadgeRow &row = m_model->row(m_filter->mapToSource(current).row());
    if (!row.retire)
        m_actions.open(row.section);
}

void BadgeTableWindow::removeSelected()
{
    const std::vector<std::string> sections = selectedSections();
    if (sections.empty()) {
        m_ui->message->setText(tr("Choisissez d'abord les badges à retirer."));
        return;
    }
    m_ui->message->clear();
    if (m_actions.remove)
        m_actions.remove(sections);
}

void BadgeTableWindow::changeSelected()
{
    const std::vector<std::string> sections = selectedSections();
    const BulkChange change = changeTyped();
    if (sections.empty() || !change.any()) {
        m_ui->message->setText(
            tr("Choisissez les badges dans le tableau et cochez les champs à leur donner."));
        return;
    }
    m_ui->message->clear();
    if (m_actions.change)
        m_actions.change(sections, change);
}

Report BadgeTableWindow::report() const
{
    Report r;
    r.title = windowTitle().toStdString();
    const QString typed = m_ui->filtre->text().trimmed();
    r.filters = (typed.isEmpty() ? tr("toute la liste : %1").arg(m_ui->compte->text())
                                 : tr("filtre « %1 » : %2").arg(typed, m_ui->compte->text()))
                    .toStdString();
    std::vector<std::string> header;
    for (int c = 0; c < m_filter->columnCount(); ++c)
        header.push_back(m_filter->headerData(c, Qt::Horizontal).toString().toStdString());
    std::vector<std::vector<std::string>> rows{std::size_t(shownCount())};
    for (int row = 0; row < shownCount(); ++row)
        for (int c = 0; c < m_filter->columnCount(); ++c)
            rows[std::size_t(row)].push_back(cell(row, c).toStdString());
    r.sheets.push_back(textSheet("Badges", std::move(header), rows));
    return r;
}

void BadgeTableWindow::pdfClicked()
{
    exportReport(m_dialogs, this, QStringLiteral("PDF"), tr("tableau des badges"), {FileKind::Pdf},
                 [this] { return report(); });
}

BulkChange BadgeTableWindow::changeTyped() const
{
    const Ui &u = *m_ui;
    BulkChange c; // the texts as typed: the change refuses what a list cannot keep
    c.times = u.plage->isChecked();
    c.h24 = u.h24->isChecked();
    c.heure_debut = u.heure_debut->text().toStdString();
    c.minute_debut = u.minute_debut->text().toStdString();
    c.heure_fin = u.heure_fin->text().toStdString();
    c.minute_fin = u.minute_fin->text().toStdString();
    c.days = u.jours->isChecked();
    c.dayCode = u.jour->currentIndex();
    c.place = u.lieuCoche->isChecked();
    c.allPlaces = u.tousLieux->isChecked();
    c.lieu = u.lieu->text().toStdString();
    c.dayOfMonth = u.jourDuMoisCoche->isChecked();
    c.jourDuMois = u.jourDuMois->text().toStdString();
    c.validity = u.validiteCoche->isChecked();
    c.valideDu = u.valide_du->text().toStdString();
    c.valideJusquAu = u.valide_jusqu_au->text().toStdString();
    return c;
}

bool BadgeTableWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Down from the filter goes to the rows, on the first one when none is current.
    if (watched == m_ui->filtre && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Down) {
        QTableView *t = m_ui->tableau;
        t->setFocus(Qt::TabFocusReason);
        if (!t->currentIndex().isValid() && m_filter->rowCount() > 0)
            t->setCurrentIndex(m_filter->index(0, 0));
        return true;
    }
    if (watched == m_ui->tableau && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Delete) {
            removeSelected();
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            openCurrent();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void BadgeTableWindow::filterChanged()
{
    m_filter->setText(m_ui->filtre->text());
    showCount();
}

void BadgeTableWindow::showCount()
{
    const int shown = shownCount(), total = totalCount();
    QString text = shown == total ? tr("%n badge(s)", nullptr, int(total))
                                  : tr("%1 badge(s) affiché(s) sur %2").arg(shown).arg(total);
    if (total > kBoardRecords)
        text = (shown == total ? tr("%1 badges dans le fichier").arg(total) : text) +
               tr(" ; la platine en garde %1").arg(kBoardRecords);
    m_ui->compte->setText(text);
}

} // namespace platine
