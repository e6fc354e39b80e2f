// One cashier station of a store: the program's generation run, from a program folder of its own (its
// sistema_zel.ini and component settings) on the store's shared database, for a range of clients of company
// 1 sold today, every boleto printed and the remittance written. Started by the numbering tests, two at a
// time. Arguments: folder, database, num_caixa, first and last client id, and a file whose appearance starts
// the run, so that two stations start together; the station says it is ready to start with that file's name
// followed by a dot and its num_caixa. An optional seventh argument stops the run for good at one point, to
// be killed there, after creating that file's name followed by ".parada": "caminhada" as the documents'
// walk starts (its numbers taken), "transacao" inside the numbers' transaction once every document number is
// written, "pergunta" at the remittance question.
#include "db/Connection.h"
#include "generation/GerarArquivo.h"
#include "selection/Listagem.h"
#include "selection/Totais.h"
#include "tests/support/BancoDeTeste.h"
#include "tests/support/MensagensGravadas.h"
#include "util/Erro.h"
#include "util/Regional.h"
#include "util/Rotinas.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>
#include <cstdio>
#include <memory>

namespace {

QString parada;

[[noreturn]] void paraAqui() {
    QFile(parada).open(QIODevice::WriteOnly);
    for (;;)
        QThread::sleep(1);
}

// The remittance question never answered.
class MensagensQueParam : public MensagensGravadas {
public:
    explicit MensagensQueParam(bool naPergunta) : naPergunta_(naPergunta) {}
    Resposta pergunta(const QString &texto) override {
        if (naPergunta_)
            paraAqui();
        return MensagensGravadas::pergunta(texto);
    }

private:
    bool naPergunta_;
};

// The run's progress counts: the bank's pre-check, the documents' walk, the numbers' transaction, each
// starting at 0 and ending at its total.
Progresso::Mostra progressoQuePara(const QString &onde) {
    // Each count gets its own copy of the function: the number of counts is shared.
    return [onde, contagem = std::make_shared<int>(0)](qint64 feitas, qint64 total) {
        if (feitas == 0)
            ++*contagem;
        if ((onde == u"caminhada" && *contagem == 2) ||
            (onde == u"transacao" && *contagem == 3 && feitas == total))
            paraAqui();
    };
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 7 && args.size() != 8) {
        std::fputs("uso: estacao_de_teste pasta banco caixa primeiro ultimo partida [parada]\n", stderr);
        return 2;
    }
    Regional::definir(Regional::brasileiro());
    const QString onde = args.value(7);
    parada = args[6] + QStringLiteral(".parada");
    MensagensQueParam mensagens(onde == u"pergunta");
    EstadoPrograma estado;
    estado.FilialAtual = estado.FilialLogica = 1;
    estado.NumCaixa = args[3].toInt();
    estado.LojasLeramAtual = FilialParaLojasLeram(1);
    estado.Configurado = true;
    estado.CampoData = QStringLiteral("datahora");
    estado.banco = QStringLiteral("11");
    estado.carteira = QStringLiteral("17");
    try {
        Connection conexao;
        conexao.configura(QString(), args[2], BancoDeTeste::senhaPadrao());
        const QDate hoje = QDate::currentDate();
        ControlesGeracao controles;
        controles.periodo = {QStringLiteral("datahora"), hoje, hoje, QStringLiteral("00:00:00"),
                             QStringLiteral("23:59:59")};
        controles.dtVencimento = hoje.addDays(10);
        controles.DirFinal = args[1];
        controles.cbImprimir = true;
        ResultSet clientes =
            conexao.abre(sqlListaClientes(conexao, controles.periodo, 1, false, std::nullopt));
        acrescentaTotalComJuros(clientes);
        for (int i = 0; i < clientes.linhas(); ++i) {
            const qint64 id = clientes.valor(i, "clientes_id").inteiroLongo();
            if (id >= args[4].toLongLong() && id <= args[5].toLongLong())
                clientes.define(i, clientes.indice("marcado"), QStringLiteral("S"));
        }
        AmbienteGeracao ambiente{estado,
                                 args[1],
                                 boleto::ObjetoBolix::cria(args[1]),
                                 IniFile(args[1] + QStringLiteral("/sistema_zel.ini")),
                                 conexao,
                                 progressoQuePara(onde)};
        QFile pronta(args[6] + u'.' + args[3]);
        if (!pronta.open(QIODevice::WriteOnly))
            throw Erro(QStringLiteral("não foi possível criar ") + pronta.fileName());
        pronta.close();
        const QDeadlineTimer limite(30000);
        while (!QFile::exists(args[6]) && !limite.hasExpired())
            QThread::msleep(2);
        CamposGeracao campos;
        GerarArquivo(controles, {&clientes, nullptr}, campos, ambiente, [](const QString &) {});
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", qPrintable(textoDoErro(e)));
        return 1;
    }
    std::puts(qPrintable(mensagens.mostradas.join(u'\n')));
    return 0;
}
