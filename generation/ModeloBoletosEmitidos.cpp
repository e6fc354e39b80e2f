#include "generation/ModeloBoletosEmitidos.h"

#include "generation/SegundaVia.h"
#include "util/Regional.h"

namespace {

struct Coluna {
    const char *titulo;
    const char *campo;
    int largura;
};

// Widths that fit the tab's grid without a horizontal scroll bar.
const Coluna colunas[] = {
    {"Emitido em", "emitido_em", 96},      {"Código", "codigo", 40},
    {"Nome", "nome_sacado", 110},          {"Documento", "numero_documento", 72},
    {"Nosso número", "nosso_numero", 110}, {"Valor", "valor", 60},
    {"Vencimento", "vencimento", 64},      {"Situação", "situacao", 84},
};
constexpr int quantasColunas = int(std::size(colunas));

} // namespace

ModeloBoletosEmitidos::ModeloBoletosEmitidos(QObject *parent) : QAbstractTableModel(parent) {}

void ModeloBoletosEmitidos::abre(ResultSet lista) {
    beginResetModel();
    marcas_.assign(size_t(lista.linhas()), false);
    lista_ = std::move(lista);
    endResetModel();
}

QList<qint64> ModeloBoletosEmitidos::marcados() const {
    QList<qint64> ids;
    for (size_t i = 0; i < marcas_.size(); ++i)
        if (marcas_[i])
            ids << lista_->valor(int(i), "boleto_id").inteiroLongo();
    return ids;
}

int ModeloBoletosEmitidos::largura(int coluna) {
    return colunas[coluna].largura;
}

int ModeloBoletosEmitidos::rowCount(const QModelIndex &parent) const {
    return parent.isValid() || !lista_ ? 0 : lista_->linhas();
}

int ModeloBoletosEmitidos::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : quantasColunas;
}

QString ModeloBoletosEmitidos::texto(int linha, int coluna) const {
    const Valor v = lista_->valor(linha, colunas[coluna].campo);
    const QLatin1String campo(colunas[coluna].campo);
    const Regional &r = Regional::atual();
    if (campo == "emitido_em")
        return r.formataDataHora(v.dataHora(), u"dd/mm/yyyy hh:nn");
    if (campo == "vencimento")
        return v.nulo() ? QString() : r.formataData(v.data(), u"dd/mm/yyyy");
    if (campo == "valor")
        return r.formataValor(v.dinheiro());
    if (campo == "situacao")
        return DescricaoSituacao(v.texto());
    return v.texto();
}

QVariant ModeloBoletosEmitidos::data(const QModelIndex &index, int role) const {
    if (!lista_ || !index.isValid())
        return {};
    if (role == Qt::CheckStateRole && index.column() == 0)
        return marcas_[size_t(index.row())] ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::DisplayRole)
        return texto(index.row(), index.column());
    if (role == Qt::TextAlignmentRole && QLatin1String(colunas[index.column()].campo) == "valor")
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

bool ModeloBoletosEmitidos::setData(const QModelIndex &index, const QVariant &value, int role) {
    if (!lista_ || role != Qt::CheckStateRole || index.column() != 0)
        return false;
    marcas_[size_t(index.row())] = value.value<Qt::CheckState>() == Qt::Checked;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags ModeloBoletosEmitidos::flags(const QModelIndex &index) const {
    const Qt::ItemFlags f = QAbstractTableModel::flags(index);
    return index.column() == 0 ? f | Qt::ItemIsUserCheckable : f;
}

QVariant ModeloBoletosEmitidos::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return QString::fromUtf8(colunas[section].titulo);
    return {};
}
