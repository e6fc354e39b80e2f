#pragma once

#include "db/ResultSet.h"

#include <QAbstractTableModel>
#include <QList>
#include <optional>
#include <vector>

// The issued boletos as the "2ª via" tab lists them, each row with a box the operator ticks to print it
// again. Closed, it shows no rows.
class ModeloBoletosEmitidos : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ModeloBoletosEmitidos(QObject *parent = nullptr);

    // A listing of sqlListaBoletosEmitidos; every row unticked.
    void abre(ResultSet lista);
    // The record ids of the ticked rows, in listing order.
    QList<qint64> marcados() const;
    static int largura(int coluna);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString texto(int linha, int coluna) const;

    std::optional<ResultSet> lista_;
    std::vector<bool> marcas_;
};
