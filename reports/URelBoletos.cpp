#include "reports/URelBoletos.h"

#include "forms/CampoData.h"
#include "forms/Formulario.h"
#include "util/Guarda.h"
#include "reports/RelatorioBoletos.h"
#include "util/Mensagens.h"

#include <QButtonGroup>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

QDateEdit *campoData(QWidget *pai, const char *nome, const QString &rotulo, QRect geometria) {
    auto *l = new QLabel(rotulo, pai);
    l->setGeometry(geometria.x(), geometria.y() - 16, geometria.width(), 16);
    return cria<CampoData>(pai, nome, geometria);
}

QString mensagemDe(const RelatorioGerado &relatorio) {
    switch (relatorio.resultado) {
    case ResultadoRelatorio::ErroSql:
        // The fixed text, then the server's reason, which tells the operator (and support) what to do.
        return QStringLiteral("Erro ao executar SQL.\n") + relatorio.motivo;
    case ResultadoRelatorio::SemInformacao:
        return QStringLiteral("Sem informação para esta seleção.");
    case ResultadoRelatorio::Exibido:
        break;
    }
    return QString();
}

} // namespace

TFRelBoletos::TFRelBoletos(Connection &conexao, QWidget *parent) : QDialog(parent), conexao_(conexao) {
    setObjectName(QStringLiteral("FRelBoletos"));
    setWindowTitle(QStringLiteral("FRelBoletos"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(268, 176);
    setFont(fonteFormulario());

    dtInicial = campoData(this, "dtInicial", QStringLiteral("Data Inicial"), QRect(8, 24, 120, 22));
    dtFinal = campoData(this, "dtFinal", QStringLiteral("Data Final"), QRect(140, 24, 120, 22));

    grpOrdem = cria<QGroupBox>(this, "grpOrdem", QRect(8, 56, 252, 72));
    grpOrdem->setTitle(QStringLiteral("  Ordenar por "));
    auto *colunas = new QGridLayout(grpOrdem);
    ordem = new QButtonGroup(this);
    const QStringList itens{QStringLiteral("Cliente"), QStringLiteral("Data"), QStringLiteral("Nº Bloqueto")};
    for (int i = 0; i < itens.size(); ++i) {
        auto *opcao = new QRadioButton(itens[i], grpOrdem);
        ordem->addButton(opcao, i);
        // Two columns, filled top to bottom.
        colunas->addWidget(opcao, i % 2, i / 2);
    }
    ordem->button(int(OrdemBoletos::Cliente))->setChecked(true);

    btnOK = cria<QPushButton>(this, "btnOK", QRect(56, 140, 96, 28));
    btnOK->setText(QStringLiteral("&OK"));
    btnFechar = cria<QPushButton>(this, "btnFechar", QRect(164, 140, 96, 28));
    btnFechar->setText(QStringLiteral("&Fechar"));
    connect(btnOK, &QPushButton::clicked, this, [this] { btnOKClick(); });
    connect(btnFechar, &QPushButton::clicked, this, &QDialog::close);

    // The form sees every key first: Enter moves on as Tab does.
    for (QWidget *filho : findChildren<QWidget *>())
        filho->installEventFilter(this);
}

bool TFRelBoletos::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent *>(event)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFRelBoletos::btnOKClick() {
    habilita(false);
    guarda([this] {
        const QString mensagem = mensagemDe(GeraRelatorioBoletos(
            conexao_, {dtInicial->date(), dtFinal->date()}, OrdemBoletos(ordem->checkedId()), iniciador_));
        if (!mensagem.isEmpty())
            Mensagens::atual().mensagem(mensagem);
    });
    habilita(true);
}

void TFRelBoletos::habilita(bool sim) {
    for (QWidget *controle : {static_cast<QWidget *>(dtInicial), static_cast<QWidget *>(dtFinal),
                              static_cast<QWidget *>(btnOK), static_cast<QWidget *>(btnFechar)})
        controle->setEnabled(sim);
}
