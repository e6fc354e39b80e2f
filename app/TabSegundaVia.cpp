#include "app/TabSegundaVia.h"

#include "app/ContextoAbas.h"
#include "app/ControlesJanela.h"
#include "db/Connection.h"
#include "forms/CampoData.h"
#include "forms/CamposArquivo.h"
#include "forms/Formulario.h"
#include "generation/ModeloBoletosEmitidos.h"
#include "generation/SegundaVia.h"
#include "retorno/BaixasRegistradas.h"
#include "retorno/PixDosBoletos.h"
#include "selection/ModeloListagem.h"
#include "util/Clock.h"
#include "util/Guarda.h"
#include "util/Mensagens.h"
#include "util/Rotinas.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QTableView>

namespace {

// The messages after a print: the files written, then what could not be printed.
void informa(const ResultadoSegundaVia &r) {
    QString texto = r.arquivos.isEmpty() ? QStringLiteral("Nenhum boleto foi impresso.")
                                         : QStringLiteral("2ª via gravada em:\r") + r.arquivos.join(u'\r');
    if (!r.recusados.isEmpty())
        texto += QStringLiteral("\r\rNão impressos:\r") + PrimeirosDaLista(r.recusados).join(u'\r');
    Mensagens::atual().atencao(texto);
}

} // namespace

TabSegundaVia::TabSegundaVia(ContextoAbas &contexto) : contexto_(contexto) {
    setObjectName(QStringLiteral("tabSegundaVia"));
    criaFiltros();
    dbBoletos = lista(this, "dbBoletos", QRect(4, 96, 646, 316), corWindows(0x00804000));
    modelo_ = new ModeloBoletosEmitidos(dbBoletos);
    dbBoletos->setModel(modelo_);
    for (int i = 0; i < modelo_->columnCount(); ++i)
        dbBoletos->setColumnWidth(i, ModeloBoletosEmitidos::largura(i));
    criaRodape();
    ligaEventos();
}

void TabSegundaVia::criaFiltros() {
    rotulo(this, QStringLiteral("Cliente (nome ou código)"), QRect(8, 8, 150, 16));
    edCliente = cria<QLineEdit>(this, "edCliente", QRect(8, 24, 180, 22));
    rotulo(this, QStringLiteral("Nº do documento"), QRect(196, 8, 100, 16));
    edDocumento = cria<QLineEdit>(this, "edDocumento", QRect(196, 24, 100, 22));
    rotulo(this, QStringLiteral("Nosso número"), QRect(304, 8, 100, 16));
    edNossoNumero = cria<QLineEdit>(this, "edNossoNumero", QRect(304, 24, 130, 22));

    cbPeriodo = cria<QCheckBox>(this, "cbPeriodo", QRect(8, 56, 70, 18));
    cbPeriodo->setText(QStringLiteral("Período"));
    cbDataPeriodo = cria<QComboBox>(this, "cbDataPeriodo", QRect(80, 54, 108, 22));
    cbDataPeriodo->addItems({QStringLiteral("Emissão"), QStringLiteral("Vencimento")});
    dtDe = cria<CampoData>(this, "dtDe", QRect(196, 54, 100, 22));
    dtAte = cria<CampoData>(this, "dtAte", QRect(304, 54, 100, 22));
    dtDe->setDate(Clock::hoje().addMonths(-1));
    dtAte->setDate(Clock::hoje());
    for (QWidget *w : std::initializer_list<QWidget *>{cbDataPeriodo, dtDe, dtAte})
        w->setEnabled(false);

    bPesquisar = cria<QPushButton>(this, "bPesquisar", QRect(442, 22, 100, 28));
    bPesquisar->setText(QStringLiteral("Pesquisar"));
}

void TabSegundaVia::criaRodape() {
    rotulo(this,
           QStringLiteral("Marque os boletos para imprimir de novo. Um boleto vencido sai como foi emitido: "
                          "o banco cobra multa e juros no pagamento."),
           QRect(8, 414, 642, 16))
        ->setObjectName(QStringLiteral("labAviso"));
    rotulo(this, QStringLiteral("Pasta dos PDFs"), QRect(8, 434, 120, 16));
    edPasta = cria<CampoPasta>(this, "edPasta", QRect(8, 450, 250, 22));
    bImprimir = cria<QPushButton>(this, "bImprimir", QRect(266, 462, 120, 28));
    bImprimir->setText(QStringLiteral("Imprimir 2ª via"));
    bSalvarPorCliente = cria<QPushButton>(this, "bSalvarPorCliente", QRect(394, 462, 144, 28));
    bSalvarPorCliente->setText(QStringLiteral("Salvar PDF por cliente"));
    bCancelar = cria<QPushButton>(this, "bCancelarSegundaVia", QRect(546, 462, 100, 28));
    bCancelar->setText(QStringLiteral("Cancelar"));
}

void TabSegundaVia::ligaEventos() {
    connect(bCancelar, &QPushButton::clicked, this, [this] { window()->close(); });
    connect(cbPeriodo, &QCheckBox::toggled, this, [this](bool ligado) {
        for (QWidget *w : std::initializer_list<QWidget *>{cbDataPeriodo, dtDe, dtAte})
            w->setEnabled(ligado);
    });
    connect(bPesquisar, &QPushButton::clicked, this, [this] { guarda([this] { bPesquisarClick(); }); });
    connect(bImprimir, &QPushButton::clicked, this, [this] { guarda([this] { bImprimirClick(); }); });
    connect(bSalvarPorCliente, &QPushButton::clicked, this,
            [this] { guarda([this] { bSalvarPorClienteClick(); }); });
}

FiltroBoletos TabSegundaVia::filtro() const {
    FiltroBoletos f{edCliente->text(), edDocumento->text(), edNossoNumero->text()};
    if (cbPeriodo->isChecked()) {
        f.porVencimento = cbDataPeriodo->currentIndex() == 1;
        f.de = dtDe->date();
        f.ate = dtAte->date();
    }
    return f;
}

void TabSegundaVia::bPesquisarClick() {
    Connection &c = contexto_.conexao();
    // The tables are the program's own: a store that never issued, settled or read a Pix QR here lacks them.
    PreparaBoletosEmitidos(c);
    c.executa(sqlCriaBaixasRegistradas());
    c.executa(sqlCriaPixDosBoletos());
    modelo_->abre(c.abre(sqlListaBoletosEmitidos(c, filtro())));
    if (modelo_->rowCount() == 0)
        Mensagens::atual().mensagem(QStringLiteral("Nenhum boleto emitido com esses filtros."));
}

void TabSegundaVia::imprimeMarcados(
    const std::function<ResultadoSegundaVia(const QList<BoletoEmitido> &)> &imprime) {
    const QList<qint64> ids = modelo_->marcados();
    if (ids.isEmpty()) {
        Mensagens::atual().atencao(QStringLiteral("Marque os boletos a imprimir."));
        return;
    }
    ResultadoSegundaVia r;
    {
        const auto execucao = contexto_.iniciaExecucao();
        const ResultSet registros = contexto_.conexao().abre(sqlBoletosPorId(ids));
        QList<BoletoEmitido> boletos;
        for (int i = 0; i < registros.linhas(); ++i)
            boletos << BoletoDoRegistro(registros, i);
        r = imprime(boletos);
    }
    informa(r);
}

void TabSegundaVia::bImprimirClick() {
    imprimeMarcados([this](const QList<BoletoEmitido> &boletos) {
        return ImprimeSegundaVia(contexto_.bolix(), boletos, RemoveAspas(edPasta->text()));
    });
}

void TabSegundaVia::bSalvarPorClienteClick() {
    imprimeMarcados([this](const QList<BoletoEmitido> &boletos) {
        QMap<QString, QList<BoletoEmitido>> porCliente;
        for (const BoletoEmitido &b : boletos)
            porCliente[b.tipoSacado + QString::number(b.codigo)] << b;
        const QString pasta = RemoveAspas(edPasta->text());
        ResultadoSegundaVia total;
        for (const QList<BoletoEmitido> &doCliente : porCliente) {
            const ResultadoSegundaVia r =
                ImprimeSegundaVia(contexto_.bolix(), doCliente, pasta, ArquivoDoCliente(pasta, doCliente[0]));
            total.arquivos << r.arquivos;
            total.recusados << r.recusados;
        }
        return total;
    });
}
