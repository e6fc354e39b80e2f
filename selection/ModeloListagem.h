#pragma once

#include "db/ResultSet.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QStyledItemDelegate>
#include <functional>
#include <optional>
#include <vector>

class QTableView;

// A column of a listing grid: title, field and width in pixels as the operator knows them.
struct ColunaLista {
    enum class Formato { Texto, Valor, Moeda };
    QString titulo;
    QString campo;
    int largura = 0;
    Formato formato = Formato::Texto;
};

std::vector<ColunaLista> colunasDbFuncs();
std::vector<ColunaLista> colunasDbEmpresas();

// The rows of a listing as a grid reads them: straight from the result in memory, only the cells on
// screen are ever formatted. Closed, it shows no rows.
class ModeloListagem : public QAbstractTableModel {
    Q_OBJECT
public:
    // What the painting needs to know of a row besides its cells.
    enum Papel { PapelMarcada = Qt::UserRole, PapelContaInvalida };

    explicit ModeloListagem(std::vector<ColunaLista> colunas, QObject *parent = nullptr);

    void abre(ResultSet lista);
    void fecha();
    // The open result; nullptr when closed.
    ResultSet *lista() { return lista_ ? &*lista_ : nullptr; }
    const std::vector<ColunaLista> &colunas() const { return colunas_; }
    int coluna(const QString &campo) const;
    // Rows whose marks changed are drawn again.
    void marcasAlteradas(int primeira, int ultima);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString texto(int linha, int coluna) const;

    std::vector<ColunaLista> colunas_;
    std::optional<ResultSet> lista_;
    // Field of each column in the open result, and the marks.
    std::vector<int> campos_;
    int marcado_ = -1;
    bool temConta_ = false;
};

// Paints the cells of a listing: marked rows, rows whose account cannot take a debit while direct
// debit is on, and the current row, white and bold.
class PinturaLista : public QStyledItemDelegate {
public:
    PinturaLista(QTableView *lista, std::function<bool()> debitoAtivo);
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

private:
    QTableView *lista_;
    std::function<bool()> debitoAtivo_;
};

// Windows colour numbers are $00BBGGRR.
QColor corWindows(quint32 bgr);
