#pragma once

#include "db/ResultSet.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <optional>

class QTableView;

// The occurrence list as dbLista shows it: codigo, nome, the two amounts, the document number with
// ten digits and the reason of a refused debit. Closed, it shows no rows.
class ModeloOcorrencias : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Papel { PapelCodOcorrencia = Qt::UserRole, PapelBaixada };

    explicit ModeloOcorrencias(QObject *parent = nullptr);

    void abre(ResultSet lista);
    // The open list; nullptr before the first loading.
    ResultSet *lista() { return lista_ ? &*lista_ : nullptr; }
    // The width of a column in pixels; 0 leaves the grid's default.
    static int largura(int coluna);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::optional<ResultSet> lista_;
};

// The colour of rows settled before, in the grid and in its legend.
inline const QColor CorJaBaixada(198, 239, 206);

// Odd rows light blue, refused debits light red, rows settled before light green, the current row navy
// with white bold text.
class PinturaOcorrencias : public QStyledItemDelegate {
public:
    explicit PinturaOcorrencias(QTableView *lista);
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

private:
    QTableView *lista_;
};

// The row indicator at the left of the grid: an arrow at the current row.
class IndicadorDeLinha : public QHeaderView {
public:
    explicit IndicadorDeLinha(QTableView *lista);

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;

private:
    QTableView *lista_;
};

// Puts the model, the painting, the widths and the indicator on dbLista.
ModeloOcorrencias *ligaListaOcorrencias(QTableView *dbLista);
