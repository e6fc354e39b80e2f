#include "retorno/ModeloOcorrencias.h"

#include "retorno/BaixasRegistradas.h"
#include "retorno/ListaOcorrencias.h"
#include "selection/Totais.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QTableView>

namespace {

struct Coluna {
    const char *campo;
    const char *titulo;
    int largura;
};

const Coluna colunas[] = {{"codigo", "Código", 62},
                          {"nome", "Nome", 223},
                          {"valortotal", "Valor Receber", 91},
                          {"debito", "Valor Pago", 70},
                          {"codID", "Número Documento", 0},
                          {"MotivoOcorrencia", "Motivo da Ocorrência", 0}};
constexpr int quantasColunas = int(std::size(colunas));

bool ehValor(int coluna) {
    return coluna == 2 || coluna == 3;
}

} // namespace

ModeloOcorrencias::ModeloOcorrencias(QObject *parent) : QAbstractTableModel(parent) {}

void ModeloOcorrencias::abre(ResultSet lista) {
    beginResetModel();
    lista_ = std::move(lista);
    endResetModel();
}

int ModeloOcorrencias::largura(int coluna) {
    return colunas[coluna].largura;
}

int ModeloOcorrencias::rowCount(const QModelIndex &parent) const {
    return parent.isValid() || !lista_ ? 0 : lista_->linhas();
}

int ModeloOcorrencias::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : quantasColunas;
}

QVariant ModeloOcorrencias::data(const QModelIndex &index, int role) const {
    if (!lista_ || !index.isValid())
        return {};
    const int linha = index.row();
    const int coluna = index.column();
    switch (role) {
    case Qt::DisplayRole: {
        const Valor v = lista_->valor(linha, QLatin1String(colunas[coluna].campo));
        if (ehValor(coluna))
            return v.nulo() ? QString() : textoTotal(v.dinheiro());
        if (coluna == 4)
            return QStringLiteral("%1").arg(v.inteiroLongo(), 10, 10, QLatin1Char('0'));
        return v.texto();
    }
    case Qt::TextAlignmentRole:
        return ehValor(coluna) ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    case PapelCodOcorrencia:
        return lista_->valor(linha, "CodOcorrencia").inteiro();
    case PapelBaixada:
        return JaBaixada(*lista_, linha);
    default:
        return {};
    }
}

QVariant ModeloOcorrencias::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < quantasColunas)
        return QString::fromUtf8(colunas[section].titulo);
    return {};
}

PinturaOcorrencias::PinturaOcorrencias(QTableView *lista) : QStyledItemDelegate(lista), lista_(lista) {}

void PinturaOcorrencias::paint(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    opt.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    const bool selecionada = index.row() == lista_->currentIndex().row();
    switch (CorDaOcorrencia(index.row(), index.data(ModeloOcorrencias::PapelCodOcorrencia).toInt(),
                            index.data(ModeloOcorrencias::PapelBaixada).toBool(), selecionada)) {
    case CorOcorrencia::Normal:
        opt.backgroundBrush = opt.palette.base();
        break;
    case CorOcorrencia::Impar:
        opt.backgroundBrush = QColor(186, 211, 254);
        break;
    case CorOcorrencia::NaoDebitado:
        opt.backgroundBrush = QColor(255, 183, 183);
        break;
    case CorOcorrencia::JaBaixada:
        opt.backgroundBrush = CorJaBaixada;
        break;
    case CorOcorrencia::Selecionada:
        opt.backgroundBrush = QColor(0, 0, 128);
        opt.palette.setColor(QPalette::Text, Qt::white);
        opt.font.setBold(true);
        break;
    }
    const QWidget *w = opt.widget;
    (w ? w->style() : QApplication::style())->drawControl(QStyle::CE_ItemViewItem, &opt, painter, w);
}

IndicadorDeLinha::IndicadorDeLinha(QTableView *lista) : QHeaderView(Qt::Vertical, lista), lista_(lista) {
    setSectionResizeMode(QHeaderView::Fixed);
    setDefaultSectionSize(18);
    setFixedWidth(12);
}

void IndicadorDeLinha::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const {
    painter->save();
    painter->fillRect(rect, palette().button());
    painter->setPen(palette().mid().color());
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    if (logicalIndex == lista_->currentIndex().row()) {
        const QPointF c = QRectF(rect).center();
        QPainterPath seta;
        seta.moveTo(c.x() - 2, c.y() - 4);
        seta.lineTo(c.x() + 2, c.y());
        seta.lineTo(c.x() - 2, c.y() + 4);
        seta.closeSubpath();
        painter->fillPath(seta, palette().windowText());
    }
    painter->restore();
}

ModeloOcorrencias *ligaListaOcorrencias(QTableView *dbLista) {
    auto *modelo = new ModeloOcorrencias(dbLista);
    dbLista->setModel(modelo);
    dbLista->setItemDelegate(new PinturaOcorrencias(dbLista));
    dbLista->setVerticalHeader(new IndicadorDeLinha(dbLista));
    for (int i = 0; i < quantasColunas; ++i)
        if (ModeloOcorrencias::largura(i) > 0)
            dbLista->setColumnWidth(i, ModeloOcorrencias::largura(i));
    // The current row has its own colour and the arrow: moving it repaints them.
    QObject::connect(dbLista->selectionModel(), &QItemSelectionModel::currentRowChanged, dbLista, [dbLista] {
        dbLista->viewport()->update();
        dbLista->verticalHeader()->viewport()->update();
    });
    return modelo;
}
