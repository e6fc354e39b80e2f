#include "selection/ModeloListagem.h"

#include "selection/Marcacao.h"
#include "selection/Totais.h"
#include "util/Regional.h"

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QPainter>
#include <QStyle>
#include <QTableView>

std::vector<ColunaLista> colunasDbFuncs() {
    using F = ColunaLista::Formato;
    return {{QStringLiteral("Código"), QStringLiteral("chapa"), 77, F::Texto},
            {QStringLiteral("Nome"), QStringLiteral("nome"), 200, F::Texto},
            {QStringLiteral("Cidade"), QStringLiteral("cidade"), 98, F::Texto},
            {QStringLiteral("CPF"), QStringLiteral("cgc"), 94, F::Texto},
            {QStringLiteral("Valor Total"), QStringLiteral("totalcomjuros"), 90, F::Moeda},
            {QStringLiteral("Vencimento"), QStringLiteral("vencimento"), 70, F::Texto}};
}

std::vector<ColunaLista> colunasDbEmpresas() {
    using F = ColunaLista::Formato;
    return {{QStringLiteral("Código"), QStringLiteral("empresa_id"), 42, F::Texto},
            {QStringLiteral("Empresa"), QStringLiteral("nome"), 200, F::Texto},
            {QStringLiteral("Cidade"), QStringLiteral("cidade"), 98, F::Texto},
            {QStringLiteral("CGC"), QStringLiteral("cgc"), 94, F::Texto},
            {QStringLiteral("Valor Total"), QStringLiteral("TOTAL"), 90, F::Valor}};
}

QColor corWindows(quint32 bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

ModeloListagem::ModeloListagem(std::vector<ColunaLista> colunas, QObject *parent)
    : QAbstractTableModel(parent), colunas_(std::move(colunas)) {}

void ModeloListagem::abre(ResultSet lista) {
    // Fields first: a result without them leaves the model as it was.
    std::vector<int> campos;
    for (const ColunaLista &c : colunas_)
        campos.push_back(lista.indice(c.campo));
    const int marcado = lista.indice("marcado");
    beginResetModel();
    lista_ = std::move(lista);
    campos_ = std::move(campos);
    marcado_ = marcado;
    temConta_ = lista_->procura("agencia") >= 0 && lista_->procura("cc") >= 0;
    lista_->primeiro();
    endResetModel();
}

void ModeloListagem::fecha() {
    beginResetModel();
    lista_.reset();
    campos_.clear();
    endResetModel();
}

int ModeloListagem::coluna(const QString &campo) const {
    for (size_t i = 0; i < colunas_.size(); ++i)
        if (colunas_[i].campo == campo)
            return int(i);
    return -1;
}

void ModeloListagem::marcasAlteradas(int primeira, int ultima) {
    if (lista_ && primeira <= ultima)
        emit dataChanged(index(primeira, 0), index(ultima, columnCount() - 1), {PapelMarcada});
}

int ModeloListagem::rowCount(const QModelIndex &parent) const {
    return parent.isValid() || !lista_ ? 0 : lista_->linhas();
}

int ModeloListagem::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(colunas_.size());
}

QString ModeloListagem::texto(int linha, int coluna) const {
    const Valor v = lista_->valor(linha, campos_[size_t(coluna)]);
    switch (colunas_[size_t(coluna)].formato) {
    case ColunaLista::Formato::Valor:
        return Regional::atual().formataValor(v.dinheiro());
    case ColunaLista::Formato::Moeda:
        return textoTotal(v.dinheiro());
    case ColunaLista::Formato::Texto:
        break;
    }
    return v.texto();
}

QVariant ModeloListagem::data(const QModelIndex &index, int role) const {
    if (!lista_ || !index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return texto(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return colunas_[size_t(index.column())].formato == ColunaLista::Formato::Texto
                   ? QVariant()
                   : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case PapelMarcada:
        return marcada(lista_->valor(index.row(), marcado_));
    case PapelContaInvalida:
        return temConta_ && contaInvalida(*lista_, index.row());
    default:
        return {};
    }
}

QVariant ModeloListagem::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < int(colunas_.size()))
        return colunas_[size_t(section)].titulo;
    return {};
}

PinturaLista::PinturaLista(QTableView *lista, std::function<bool()> debitoAtivo)
    : QStyledItemDelegate(lista), lista_(lista), debitoAtivo_(std::move(debitoAtivo)) {}

void PinturaLista::paint(QPainter *painter, const QStyleOptionViewItem &option,
                         const QModelIndex &index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    // The row colours replace the style's selection and focus marks.
    opt.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    const bool atual = index.row() == lista_->currentIndex().row();
    const bool invalida =
        debitoAtivo_ && debitoAtivo_() && index.data(ModeloListagem::PapelContaInvalida).toBool();
    switch (corDaLinha(index.data(ModeloListagem::PapelMarcada).toBool(), invalida, atual)) {
    case CorDaLinha::Normal:
        break;
    case CorDaLinha::Marcada:
        opt.backgroundBrush = corWindows(0x008A8AFF);
        break;
    case CorDaLinha::ContaInvalida:
        opt.backgroundBrush = corWindows(0x00BFBF80);
        break;
    case CorDaLinha::Atual:
        opt.backgroundBrush = corWindows(0x00CA6500);
        opt.palette.setColor(QPalette::Text, Qt::white);
        opt.font.setBold(true);
        break;
    }
    const QWidget *w = opt.widget;
    (w ? w->style() : QApplication::style())->drawControl(QStyle::CE_ItemViewItem, &opt, painter, w);
}
