#include "board/operations_tab.h"

#include "board/operations_model.h"
#include "core/platform/files.h"

#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>

#include <filesystem>
#include <map>

namespace platine {

OperationsTab::OperationsTab(std::string path, QWidget *parent)
    : QWidget(parent), m_path(std::move(path))
{
    m_model = new OperationsModel(m_rows, this);
    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("operations"));
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->setWordWrap(false);
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->setSortingEnabled(true);
    // Newest first until the operator sorts a column.
    m_view->horizontalHeader()->setSortIndicatorShown(false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
}

OperationsTab::~OperationsTab() = default;

void OperationsTab::load()
{
    if (!m_stale)
        return;
    m_stale = false;
    m_error.clear();
    std::string error;
    std::optional<std::string> bytes;
    std::error_code ec;
    if (std::filesystem::exists(m_path, ec)) {
        bytes = files::read(m_path, &error);
        if (!bytes)
            m_error = QString::fromStdString(error);
    }
    m_model->setShown({});
    m_rows = bytes ? readOperations(*bytes) : std::vector<OperationRow>();
    m_keys.clear();
    m_keys.reserve(m_rows.size());
    // The search finds an operation by its word as shown too (in English,
    // "upload" as well as the stored "envoi"): each word translated once.
    std::map<std::string, std::string> shownWords;
    for (const OperationRow &r : m_rows) {
        auto word = shownWords.find(r.operation);
        if (word == shownWords.end()) {
            const std::string shown = shownOperation(r.operation).toStdString();
            // Nothing more where the word shows as it is stored (in French).
            const std::string key =
                shown == r.operation ? std::string() : foldUtf8ForSearch(shown) + '\n';
            word = shownWords.emplace(r.operation, key).first;
        }
        m_keys.push_back(operationSearchKey(r) + word->second);
    }
}

void OperationsTab::refilter(const JournalFilter &filter)
{
    m_model->setShown(filterOperations(m_rows, m_keys, filter.text, filter.from, filter.to));
}

const std::vector<int> &OperationsTab::shown() const
{
    return m_model->shown();
}

QString OperationsTab::countText() const
{
    QString text =
        tr("%n opération(s) sur %1", nullptr, int(m_model->shown().size())).arg(m_rows.size());
    if (!m_error.isEmpty())
        text += tr(" ; le journal des opérations n'a pas pu être lu : %1").arg(m_error);
    return text;
}

Sheet OperationsTab::sheet() const
{
    return operationsSheet(m_rows, m_model->shown());
}

} // namespace platine
