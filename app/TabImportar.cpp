#include "app/TabImportar.h"

#include "app/ContextoAbas.h"
#include "app/ControlesJanela.h"
#include "config/IniFile.h"
#include "db/Connection.h"
#include "forms/CamposArquivo.h"
#include "forms/Formulario.h"
#include "generation/GerarArquivo.h"
#include "retorno/AvisosDoRetorno.h"
#include "retorno/Baixa.h"
#include "retorno/BaixasRegistradas.h"
#include "retorno/LiquidacoesApi.h"
#include "retorno/ListaOcorrencias.h"
#include "retorno/ModeloOcorrencias.h"
#include "retorno/PixDosBoletos.h"
#include "util/Clock.h"
#include "util/Guarda.h"
#include "util/Mensagens.h"
#include "util/Regional.h"
#include "util/Rotinas.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QTableView>

TabImportar::TabImportar(ContextoAbas &contexto) : contexto_(contexto) {
    setObjectName(QStringLiteral("tabImportarRet"));
    criaControles();
    ligaEventos();
}

void TabImportar::ligaEventos() {
    connect(butCancela, &QPushButton::clicked, this, [this] { window()->close(); });
    connect(butLerArquivo, &QPushButton::clicked, this, [this] { guarda([this] { butLerArquivoClick(); }); });
    connect(butConsultarBanco, &QPushButton::clicked, this,
            [this] { guarda([this] { butConsultarBancoClick(); }); });
    connect(butProcessar, &QPushButton::clicked, this, [this] { guarda([this] { butProcessarClick(); }); });
}

void TabImportar::criaControles() {
    QWidget *p = this;

    rotulo(p, QStringLiteral("Local do arquivo:"), QRect(8, 10, 120, 16))
        ->setObjectName(QStringLiteral("Label4"));
    fnLocalLeitura = new CampoArquivo(
        p,
        QStringLiteral("Arquivo Retorno (*.ret)|*.ret|Arquivo Texto (*.txt)|*.txt|Todos Arquivos (*.*)|*.*"));
    fnLocalLeitura->setObjectName(QStringLiteral("fnLocalLeitura"));
    fnLocalLeitura->setGeometry(8, 28, 400, 22);

    // The totals panel: shown or hidden as one.
    painelTotais = cria<QFrame>(p, "Bevel3", QRect(416, 4, 234, 72));
    static_cast<QFrame *>(painelTotais)->setFrameShape(QFrame::StyledPanel);
    rotulo(painelTotais, QStringLiteral("Total Debitado"), QRect(6, 4, 110, 18))
        ->setObjectName(QStringLiteral("Label9"));
    rotulo(painelTotais, QStringLiteral("Total não Debitado"), QRect(6, 26, 110, 18))
        ->setObjectName(QStringLiteral("Label10"));
    rotulo(painelTotais, QStringLiteral("Qtde de Registros"), QRect(6, 48, 110, 18))
        ->setObjectName(QStringLiteral("Label11"));
    rotulo(painelTotais, QStringLiteral("R$"), QRect(120, 4, 20, 18))
        ->setObjectName(QStringLiteral("Label12"));
    rotulo(painelTotais, QStringLiteral("R$"), QRect(120, 26, 20, 18))
        ->setObjectName(QStringLiteral("Label16"));
    QFont negrito = font();
    negrito.setBold(true);
    const auto valor = [&](const char *nome, const char *texto, int y) {
        QLabel *l = cria<QLabel>(painelTotais, nome, QRect(140, y, 86, 18));
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setFont(negrito);
        l->setText(QLatin1String(texto));
        return l;
    };
    lblTotDebitado = valor("lblTotDebitado", "0,00", 4);
    lblTotNDebitado = valor("lblTotNDebitado", "0,00", 26);
    lblQtdeReg = valor("lblQtdeReg", "0", 48);
    painelTotais->hide();

    dbLista = lista(p, "dbLista", QRect(4, 84, 646, 350), QColor(0, 64, 128));
    modeloLista_ = ligaListaOcorrencias(dbLista);

    amostra(p, QColor(255, 183, 183), QRect(8, 448, 14, 14))->setObjectName(QStringLiteral("Shape3"));
    rotulo(p, QStringLiteral("Débitos não Efetuados"), QRect(26, 447, 150, 16))
        ->setObjectName(QStringLiteral("Label8"));
    amostra(p, CorJaBaixada, QRect(8, 466, 14, 14))->setObjectName(QStringLiteral("ShapeJaBaixados"));
    rotulo(p, QStringLiteral("Já baixados"), QRect(26, 465, 150, 16))
        ->setObjectName(QStringLiteral("LabelJaBaixados"));
    butLerArquivo = cria<QPushButton>(p, "butLerArquivo", QRect(330, 462, 100, 28));
    butLerArquivo->setText(QStringLiteral("Ler Arquivo"));
    butConsultarBanco = cria<QPushButton>(p, "butConsultarBanco", QRect(330, 438, 100, 22));
    butConsultarBanco->setText(QStringLiteral("Consultar Banco"));
    butConsultarBanco->hide();
    butProcessar = cria<QPushButton>(p, "butProcessar", QRect(438, 462, 100, 28));
    butProcessar->setText(QStringLiteral("Processar"));
    butProcessar->setEnabled(false);
    butCancela = cria<QPushButton>(p, "butCancela", QRect(546, 462, 100, 28));
    butCancela->setText(QStringLiteral("Cancelar"));
    pbRetorno = barraProgresso(p, "pbRetorno", QRect(180, 467, 140, 18));
}

void TabImportar::butLerArquivoClick() {
    bool terminou = false;
    {
        const auto execucao = contexto_.iniciaExecucao();
        terminou = carregaRetorno();
    }
    butProcessar->setEnabled(podeProcessar());
    if (!terminou)
        return;
    contexto_.configuracao().gravarTexto(QStringLiteral("Ruvenal"), QStringLiteral("endereco_leitura"),
                                         fnLocalLeitura->text());
    mostraCarregados();
}

void TabImportar::mostraCarregados() {
    const int linhas = modeloLista_->rowCount();
    QString texto = linhas == 0 ? QStringLiteral("Não existem registro de boletos enviado pelo banco.")
                    : jaBaixadas_ == 0
                        ? QStringLiteral("Pagamentos Carregados")
                        : QStringLiteral("Pagamentos Carregados\r") + MensagemJaBaixadas(jaBaixadas_, linhas);
    if (!mensagemPix_.isEmpty())
        texto += u'\r' + mensagemPix_;
    Mensagens::atual().atencao(texto);
    // A payment that no receivable carries is not listed; the bank moved the money all the same.
    if (!naoEncontrados_.isEmpty())
        Mensagens::atual().atencao(naoEncontrados_);
    // Titles the bank wrote off unpaid, and what the reading reported without refusing the file.
    if (!avisosRetorno_.isEmpty())
        Mensagens::atual().atencao(avisosRetorno_);
}

// The same list and "Processar" as a return file, filled from the bank's API.
void TabImportar::butConsultarBancoClick() {
    {
        const auto execucao = contexto_.iniciaExecucao();
        const auto escondeProgresso = qScopeGuard([this] { pbRetorno->hide(); });
        painelTotais->hide();
        naoEncontrados_.clear();
        mensagemPix_.clear();
        PreparaBaixasRegistradas(
            contexto_.conexao(),
            QDir(contexto_.pastaPrograma()).filePath(QStringLiteral("retornos_baixados.txt")));
        contexto_.ConfigurarConta();
        const QString conta = ContaDaConsultaApi(contexto_.bolix());
        const QDate hoje = Clock::hoje();
        LiquidacoesApi l =
            CarregaLiquidacoesApi(contexto_.bolix(), InicioDaConsultaApi(contexto_.conexao(), conta, hoje),
                                  LeTaxaBoleto(contexto_.configuracao()));
        ListaRetorno lista =
            ListaOcorrencias(contexto_.conexao(), ModoRetorno::Boleto, l.ocorrencias, mostraEm(pbRetorno));
        naoEncontrados_ = MensagemPagamentosNaoEncontrados(lista);
        if (!l.anunciados.isEmpty())
            mensagemPix_ =
                QStringLiteral("Pagamentos anunciados pelo banco, ainda não baixados:\r") + l.anunciados;
        abreOcorrencias(std::move(lista.QListaTemp), std::move(l.retorno));
        contaApi_ = conta;
        diaConsultaApi_ = hoje;
    }
    butProcessar->setEnabled(podeProcessar());
    mostraCarregados();
}

// False when the click ended at the message that the file is not there.
bool TabImportar::carregaRetorno() {
    const Money TaxaBoleto = LeTaxaBoleto(contexto_.configuracao());
    const QString caminho = CaminhoDoRetorno(fnLocalLeitura->text());
    naoEncontrados_.clear();
    mensagemPix_.clear();
    avisosRetorno_.clear();
    if (!QFileInfo(caminho).isFile())
        return true;
    ArquivoRetorno arquivo = LeArquivoRetorno(caminho);
    contaApi_.clear();
    PreparaBaixasRegistradas(
        contexto_.conexao(),
        QDir(contexto_.pastaPrograma()).filePath(QStringLiteral("retornos_baixados.txt")));
    const auto escondeProgresso = qScopeGuard([this] { pbRetorno->hide(); });
    if (arquivo.modo == ModoRetorno::Debito) {
        painelTotais->show();
        ListaRetornoDebito(std::move(arquivo), TaxaBoleto);
        return true;
    }
    painelTotais->hide();
    return ListaOcorrenciasBoleto(std::move(arquivo), TaxaBoleto);
}

bool TabImportar::ListaOcorrenciasBoleto(ArquivoRetorno arquivo, Money TaxaBoleto) {
    fnLocalLeitura->setText(RemoveAspas(fnLocalLeitura->text()));
    // Tested before the component reads it, so that a name it cannot open gets this message.
    if (!QFileInfo(fnLocalLeitura->text()).isFile()) {
        Mensagens::atual().mensagem(QStringLiteral("Arquivo: ") + fnLocalLeitura->text() +
                                    QStringLiteral(" não encontrado.\rInsira o diretório correto."));
        return false;
    }
    contexto_.ConfigurarConta();
    const std::vector<Ocorrencia> ocorrencias = OcorrenciasBoleto(contexto_.bolix(), TaxaBoleto);
    ListaRetorno lista =
        ListaOcorrencias(contexto_.conexao(), ModoRetorno::Boleto, ocorrencias, mostraEm(pbRetorno));
    naoEncontrados_ = MensagemPagamentosNaoEncontrados(lista);
    avisosRetorno_ = MensagemAvisosDoRetorno(AvisosDoUltimoRetorno(contexto_.bolix()));
    // The QRs of the titles the return confirms, apart from the payments.
    mensagemPix_ = MensagemPix(GuardaPix(contexto_.conexao(),
                                         contexto_.bolix().get(QStringLiteral("NumeroBanco")).toText(),
                                         PixDoRetorno(contexto_.bolix()), Clock::agora()));
    abreOcorrencias(std::move(lista.QListaTemp), std::move(arquivo));
    return true;
}

void TabImportar::ListaRetornoDebito(ArquivoRetorno arquivo, Money TaxaBoleto) {
    const std::vector<Ocorrencia> ocorrencias = OcorrenciasDebito(arquivo.linhas, TaxaBoleto);
    ListaRetorno lista =
        ListaOcorrencias(contexto_.conexao(), ModoRetorno::Debito, ocorrencias, mostraEm(pbRetorno));
    lblTotDebitado->setText(Regional::atual().formataGeral(lista.totalDebitado));
    lblTotNDebitado->setText(Regional::atual().formataGeral(lista.totalNaoDebitado));
    lblQtdeReg->setText(QString::number(lista.registros));
    naoEncontrados_ = MensagemPagamentosNaoEncontrados(lista);
    abreOcorrencias(std::move(lista.QListaTemp), std::move(arquivo));
}

void TabImportar::abreOcorrencias(ResultSet lista, ArquivoRetorno arquivo) {
    jaBaixadas_ = MarcaJaBaixadas(contexto_.conexao(), lista, arquivo.modo, arquivo.impressao);
    modeloLista_->abre(std::move(lista));
    if (modeloLista_->rowCount() > 0)
        dbLista->setCurrentIndex(modeloLista_->index(0, 0));
    // The lines are done with; the mode and the fingerprint stay for the settlement.
    arquivo.linhas.clear();
    retorno_ = std::move(arquivo);
    listaProcessada_ = false;
}

bool TabImportar::podeProcessar() {
    return modeloLista_->rowCount() > 0 && !listaProcessada_;
}

void TabImportar::butProcessarClick() {
    ResultSet *lista = modeloLista_->lista();
    if (!podeProcessar())
        return;
    ResultadoBaixa resultado;
    {
        // Settled once per loading, whether the run ends or stops with an error: disabled again once the
        // guard below has given the buttons back.
        const auto desabilita = qScopeGuard([this] { butProcessar->setEnabled(false); });
        const auto execucao = contexto_.iniciaExecucao();
        listaProcessada_ = true;
        const int atual = dbLista->currentIndex().row();
        dbLista->setUpdatesEnabled(false);
        const auto repinta = qScopeGuard([this, atual] {
            pbRetorno->hide();
            dbLista->setCurrentIndex(modeloLista_->index(atual, 0));
            dbLista->setUpdatesEnabled(true);
        });
        resultado = ProcessaRetorno(contexto_.conexao(), contexto_.estadoPrograma(), *lista, retorno_.modo,
                                    retorno_.impressao, mostraEm(pbRetorno));
        // The next query starts from here only once this one is settled.
        if (!contaApi_.isEmpty()) {
            contexto_.conexao().executa(
                sqlGuardaConsultaApi(contexto_.conexao(), contaApi_, diaConsultaApi_));
            contaApi_.clear();
        }
    }
    if (resultado.recusados > 0)
        Mensagens::atual().atencao(MensagemDebitosRecusados(resultado.recusados));
    Mensagens::atual().atencao(MensagemProcessoConcluido(resultado));
}
