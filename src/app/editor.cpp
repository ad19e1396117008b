// The record editor: one slot of the tables shown in the fields of Frame2,
// moving between slots, a new record, the two check boxes, the searches.

#include "app/form2.h"
#include "app/form2_ui.h"
#include "core/badges/listfile.h"
#include "core/platform/cp1252.h"
#include "core/badges/profile.h"
#include "core/badges/record_check.h"
#include "core/badges/validity.h"
#include "platform/text.h"

#include <QCoreApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <array>
#include <type_traits>

namespace platine {

namespace {

std::int16_t clampSlot(int slot)
{
    return std::int16_t(std::clamp(slot, 0, kSlots - 1));
}

// The editor's text fields, in form order.
std::array<QLineEdit *, 10> textFields(const Form2Ui &u)
{
    return {u.numero_badge, u.nom,  u.heure_debut,  u.minute_debut, u.heure_fin,
            u.minute_fin,   u.lieu, u.jour_du_mois, u.valide_du,    u.valide_jusqu_au};
}

// The editor's field of each record field (kRecordFields' order; null where
// the field is no line edit), among the window's own controls: a window
// beside it may name its fields alike.
std::array<QLineEdit *, kRecordFields.size()> recordEdits(const Form2Ui &u)
{
    std::array<QLineEdit *, kRecordFields.size()> edits{};
    forEachControl(u, [&](const QString &name, auto *control) {
        if constexpr (std::is_same_v<decltype(control), QLineEdit *>)
            for (std::size_t k = 0; k < kRecordFields.size(); ++k)
                if (name == QLatin1String(kRecordFields[k].control))
                    edits[k] = control;
    });
    return edits;
}

} // namespace

RecordFields Form2::typedRecord(std::vector<FieldProblem> *unheld) const
{
    const Form2Ui &u = *m_ui;
    RecordFields r;
    const auto edits = recordEdits(u);
    for (std::size_t k = 0; k < kRecordFields.size(); ++k)
        if (const QLineEdit *e = edits[k]) {
            const RecordField &f = kRecordFields[k];
            FieldProblem problem;
            const std::optional<std::string> value =
                typedValue(f, e->text().toStdString(), problem);
            r.*f.value = value ? *value : toCp1252(e->text());
            if (!value && unheld)
                unheld->push_back(problem);
        }
    r.h24 = u.Choix_24->isChecked() ? "oui" : "non";
    // A day chosen, or typed by hand and found, is stored under the core's
    // own name of its item, whatever language the list shows; a text found
    // nowhere as the operator typed it.
    const int day = u.Combo2->currentIndex();
    r.jour_texte = day >= 0 && day < int(std::size(kDayChoices))
                       ? cp1252::fromUtf8(kDayChoices[day])
                       : toCp1252(u.Combo2->currentText());
    r.jour_code = std::to_string(u.Combo2->currentIndex());
    r.tous_lieux = u.choix_lieu->isChecked() ? "oui" : "non";
    return r;
}

void Form2::mise_a_jour_tableaux(std::int16_t slot)
{
    const int i = clampSlot(slot);
    m_liste.index_courant = std::int16_t(i);
    const RecordFields r = typedRecord();
    BadgeTables &t = m_liste.tables;
    for (const RecordField &f : kRecordFields) {
        if (f.text)
            (t.*f.text)[i] = r.*f.value;
        if (f.number)
            (t.*f.number)[i] = valeurEntiere(r.*f.value);
    }
    // The fields were checked before the save.
    t.invalid[i] = invalidBits(r);
}

void Form2::mise_a_jour_affichage(std::int16_t slot)
{
    const Form2Ui &u = *m_ui;
    const int i = clampSlot(slot);
    m_liste.index_courant = std::int16_t(i);
    const BadgeTables &t = m_liste.tables;
    u.Label11->setText(QString::number(i + 1));
    const auto edits = recordEdits(u);
    for (std::size_t k = 0; k < kRecordFields.size(); ++k) {
        const RecordField &f = kRecordFields[k];
        if (edits[k])
            edits[k]->setText(f.number ? QString::number((t.*f.number)[i])
                                       : fromCp1252((t.*f.text)[i]));
    }
    // setChecked does not emit clicked: the boxes' reactions do not run.
    u.Choix_24->setChecked(u.heure_debut->text() == QLatin1String("99"));
    u.choix_lieu->setChecked(u.lieu->text() == QLatin1String("99"));
    // A record without a valid day shows none, never the day of the record
    // shown before: "Enregistrer" then asks for one.
    const std::string &jour = t.tab_jour[i];
    const bool known = isDayCode(jour) && jour[0] - '0' < u.Combo2->count();
    u.Combo2->setCurrentIndex(known ? jour[0] - '0' : -1);
    // The dates of validity, which the tables do not hold, from the list as last read.
    Validity v;
    if (m_liste.lue && i < m_liste.nombre.value_or(0))
        v = validityOf(profile::Parsed(*m_liste.lue), t.tab_sections[i]);
    u.valide_du->setText(v.from ? QString::fromStdString(formatDate(*v.from)) : QString());
    u.valide_jusqu_au->setText(v.until ? QString::fromStdString(formatDate(*v.until)) : QString());
    m_recordAsRead = editorState();
}

QStringList Form2::editorState() const
{
    const Form2Ui &u = *m_ui;
    QStringList state;
    for (const QLineEdit *e : textFields(u))
        state << e->text();
    state << QString::number(u.Choix_24->isChecked()) << QString::number(u.choix_lieu->isChecked())
          << QString::number(u.Combo2->currentIndex()) << u.Combo2->currentText();
    return state;
}

void Form2::showEditorState(const QStringList &state)
{
    const Form2Ui &u = *m_ui;
    const auto fields = textFields(u);
    if (state.size() != qsizetype(fields.size()) + 4)
        return;
    for (std::size_t i = 0; i < fields.size(); ++i)
        fields[i]->setText(state[qsizetype(i)]);
    const qsizetype k = qsizetype(fields.size());
    u.Choix_24->setChecked(state[k] == QLatin1String("1"));
    u.choix_lieu->setChecked(state[k + 1] == QLatin1String("1"));
    u.Combo2->setCurrentIndex(state[k + 2].toInt());
    if (u.Combo2->currentIndex() < 0)
        u.Combo2->setEditText(state[k + 3]);
}

bool Form2::editsUnsaved() const
{
    return !m_recordAsRead.isEmpty() && m_ui->Frame2->isVisibleTo(this) &&
           editorState() != m_recordAsRead;
}

bool Form2::settleUnsavedEdits(QWidget *asker)
{
    if (!editsUnsaved())
        return true;
    // The badge as the fields name it: what "Oui" would save.
    QString badge = m_ui->numero_badge->text().trimmed();
    if (badge.isEmpty())
        badge = tr("sans numéro");
    const QString nom = m_ui->nom->text().trimmed();
    if (!nom.isEmpty())
        badge += QStringLiteral(" (%1)").arg(nom);
    const MsgAnswer answer = m_platform.dialogs->message(
        MsgIcon::Question, MsgButtons::YesNoCancel, tr("Modifications non enregistrées"),
        tr("Enregistrer les modifications du badge %1 ?").arg(badge), asker);
    switch (answer) {
    case MsgAnswer::Yes:
        return saveShownRecord(asker);
    case MsgAnswer::No:
        showEditorState(m_recordAsRead); // the editor shows what the list holds
        return true;
    default:
        return false; // back to the editor, the edits as they stand
    }
}

void Form2::Command5_Click()
{
    if (!requireOpenList() || !settleUnsavedEdits())
        return;
    enterRecordMode();
}

void Form2::enterRecordMode()
{
    mise_en_tableau();
    if (!m_liste.derniere_lecture.readable)
        return; // the operator was told; record mode is not entered
    mise_a_jour_affichage(0);
    m_ui->Frame2->setVisible(true);
    m_ui->Label8->setText(tr("Mode enregistrement"));
    m_ui->Frame2->setTitle(tr("Nouveau badge à mémoriser"));
    // The keyboard goes on in the first field.
    m_ui->numero_badge->setFocus(Qt::OtherFocusReason);
    m_ui->numero_badge->selectAll();
}

void Form2::Command11_Click()
{
    if (!settleUnsavedEdits())
        return;
    if (m_liste.index_courant < kSlots - 1)
        ++m_liste.index_courant;
    mise_a_jour_affichage(m_liste.index_courant);
}

void Form2::Command14_Click()
{
    if (!settleUnsavedEdits())
        return;
    if (m_liste.index_courant > 0)
        --m_liste.index_courant;
    mise_a_jour_affichage(m_liste.index_courant);
}

void Form2::Command13_Click()
{
    const Form2Ui &u = *m_ui;
    if (!settleUnsavedEdits())
        return;
    // The first slot after the records of the list; with a full list the
    // shown slot is kept.
    const int n = m_liste.nombre.value_or(0);
    if (n >= 0 && n < kBoardRecords)
        m_liste.index_courant = std::int16_t(n);
    u.Label11->setText(QString::number(m_liste.index_courant + 1));
    u.numero_badge->clear();
    u.nom->clear();
    u.heure_debut->setText(QStringLiteral("07"));
    u.minute_debut->setText(QStringLiteral("30"));
    u.heure_fin->setText(QStringLiteral("17"));
    u.minute_fin->setText(QStringLiteral("30"));
    u.lieu->setText(QStringLiteral("1"));
    u.Combo2->setCurrentIndex(kNewRecordDayCode);
    u.jour_du_mois->setText(QStringLiteral("0"));
    u.valide_du->clear();
    u.valide_jusqu_au->clear();
    u.choix_lieu->setChecked(false);
    u.Choix_24->setChecked(false);
    // The new record as prepared: the badge read next is an edit to save.
    m_recordAsRead = editorState();
    lecture_badge_Click();
}

void Form2::Command12_Click()
{
    if (!settleUnsavedEdits())
        return;
    m_ui->Frame2->setVisible(false);
}

void Form2::Choix_24_Click()
{
    const Form2Ui &u = *m_ui;
    const bool all = u.Choix_24->isChecked();
    u.heure_debut->setText(all ? QStringLiteral("99") : QStringLiteral("07"));
    u.minute_debut->setText(all ? QStringLiteral("99") : QStringLiteral("30"));
    u.heure_fin->setText(all ? QStringLiteral("99") : QStringLiteral("17"));
    u.minute_fin->setText(all ? QStringLiteral("99") : QStringLiteral("30"));
}

void Form2::choix_lieu_Click()
{
    m_ui->lieu->setText(m_ui->choix_lieu->isChecked() ? QStringLiteral("99")
                                                      : QStringLiteral("01"));
}

void Form2::Label2_Change()
{
    m_ui->Label9->setText(
        tr("Badge lu\r\nUne fois les champs renseignés cliquer sur le bouton 'Enregistrer'"));
    m_ui->Label9->repaint();
}

// False (after telling the operator) when no list has been read yet: the
// search has no record count.
static bool recordCountForSearch(Dialogs &dialogs, const OpenList &liste)
{
    if (!liste.nombre) {
        dialogs.message(
            MsgIcon::Information, MsgButtons::Ok, QStringLiteral("Message"),
            QCoreApplication::translate("platine::Form2",
                                        "La liste est vide : aucun badge n'a encore été lu."));
        return false;
    }
    return true;
}

void Form2::Command21_Click()
{
    if (!recordCountForSearch(*m_platform.dialogs, m_liste))
        return;
    const QString key =
        m_platform.dialogs->input(tr("Indiquer le numéro de\r\n badge à rechercher dans la liste"),
                                  tr("recherche de badge"), QString());
    showSearchResult(key, false);
}

void Form2::Command22_Click()
{
    if (!recordCountForSearch(*m_platform.dialogs, m_liste))
        return;
    const QString key = m_platform.dialogs->input(
        tr("Indiquer le nom à \r\nrechercher dans la liste"), tr("recherche de nom"), QString());
    showSearchResult(key, true);
}

void Form2::showSearchResult(const QString &key, bool byName)
{
    const auto find = [&] {
        return searchSlot(byName ? m_liste.tables.tab_nom : m_liste.tables.tab_numero,
                          m_liste.nombre.value_or(0), toCp1252(key), byName);
    };
    // A record found replaces the one shown: its edits are settled first
    // (a save may change the tables, so the search runs again).
    int slot = find();
    if (slot >= 0) {
        if (!settleUnsavedEdits())
            return;
        slot = find();
    }
    const QString missed = tr("Aucun badge ne correspond à « %1 »");
    if (slot >= 0) {
        mise_a_jour_affichage(std::int16_t(slot));
        // A miss told before is no longer true.
        if (m_ui->Label14->text().startsWith(missed.left(missed.indexOf(QLatin1Char('%')))))
            m_ui->Label14->setText(QStringLiteral("..."));
    } else if (!key.isEmpty()) { // an empty key is a cancelled search
        m_ui->Label14->setText(missed.arg(key));
    }
}

} // namespace platine
