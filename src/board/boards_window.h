#pragma once
// "Platines…": the boards known by their ports, each with the name the
// operator gives it ("Entrée principale") and the places it serves. A name
// typed in the table is kept at once, through the action the window is given.

#include "core/boards/boards.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

namespace platine {

class BoardsModel;

class BoardsWindow : public QWidget {
    Q_OBJECT
public:
    // `save` keeps the boards as the table shows them; false: not kept (the
    // window shows `why`).
    using Save = std::function<bool(const std::vector<boards::Board> &, QString *why)>;

    explicit BoardsWindow(Save save, QWidget *parent = nullptr);
    ~BoardsWindow() override;

    // Shows `boards`, `chosenPort` among them (added without a name when missing).
    void showBoards(std::vector<boards::Board> boards, const std::string &chosenPort);
    BoardsModel &model() { return *m_model; }

private:
    struct Ui;
    std::unique_ptr<Ui> m_ui;
    Save m_save;
    BoardsModel *m_model = nullptr;
};

} // namespace platine
