#include "board/boards_window.h"

#include "board/boards_model.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

namespace platine {

struct BoardsWindow::Ui {
    QLabel *aide = nullptr;
    QTableView *platines = nullptr;
    QLabel *message = nullptr;

    void build(QWidget *w)
    {
        auto *top = new QVBoxLayout(w);
        aide = new QLabel(BoardsWindow::tr(
            "Chaque platine est reconnue par son port. Double-cliquez sur un nom ou sur les lieux "
            "pour les changer."));
        aide->setObjectName(QStringLiteral("aide"));
        aide->setWordWrap(true);
        top->addWidget(aide);
        platines = new QTableView;
        platines->setObjectName(QStringLiteral("platines"));
        platines->verticalHeader()->setVisible(false);
        platines->horizontalHeader()->setStretchLastSection(true);
        platines->setEditTriggers(QAbstractItemView::DoubleClicked |
                                  QAbstractItemView::EditKeyPressed |
                                  QAbstractItemView::AnyKeyPressed);
        top->addWidget(platines, 1);
        message = new QLabel;
        message->setObjectName(QStringLiteral("message"));
        message->setWordWrap(true);
        top->addWidget(message);
    }
};

BoardsWindow::BoardsWindow(Save save, QWidget *parent)
    : QWidget(parent, Qt::Window), m_ui(std::make_unique<Ui>()), m_save(std::move(save))
{
    setObjectName(QStringLiteral("platines"));
    setWindowTitle(tr("Platines"));
    m_ui->build(this);
    m_model = new BoardsModel(this);
    m_ui->platines->setModel(m_model);
    resize(480, 240);
    connect(m_model, &QAbstractItemModel::dataChanged, this, [this] {
        QString why;
        if (m_save && !m_save(m_model->boards(), &why))
            m_ui->message->setText(tr("Les noms n'ont pas pu être enregistrés : %1").arg(why));
        else
            m_ui->message->clear();
    });
}

BoardsWindow::~BoardsWindow() = default;

void BoardsWindow::showBoards(std::vector<boards::Board> list, const std::string &chosenPort)
{
    if (!boards::findBoard(list, chosenPort))
        list.push_back({chosenPort, {}, {}});
    m_model->setBoards(std::move(list));
    m_ui->platines->resizeColumnToContents(0);
}

} // namespace platine
