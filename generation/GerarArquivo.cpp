#include "generation/GerarArquivo.h"

#include "automation/Variant.h"
#include "db/ResultSet.h"
#include "generation/ConfigurarConta.h"
#include "generation/Documentos.h"
#include "generation/Numeracao.h"
#include "generation/RegistroNoBanco.h"
#include "generation/RemessaDebito.h"
#include "selection/Marcacao.h"
#include "util/Erro.h"
#include "util/Mensagens.h"
#include "util/Regional.h"
#include "util/Rotinas.h"

#include <QCoreApplication>
#include <QDir>
#include <limits>

namespace {

const QString secao = QStringLiteral("Ruvenal");

bool vazia(const ResultSet *lista) {
    return !lista || lista->vazio();
}

// Something to charge, no direct debit for companies, the first run confirmed.
bool podeGerar(const ControlesGeracao &c, const ListagensGeracao &l, const EstadoPrograma &estado) {
    Mensagens &m = Mensagens::atual();
    if (vazia(l.clientes) && vazia(l.empresas)) {
        m.atencao(QStringLiteral("Define uma pesquisa para gerar os boletos."));
        return false;
    }
    if (vazia(l.clientes) && c.checkDebitoCC) {
        m.atencao(QStringLiteral("Você não pode gerar débito em conta corrente para empresas. Opção válida "
                                 "somente para clientes."));
        return false;
    }
    return estado.Configurado || m.perguntaSimNao(QStringLiteral(
                                     "A primeira vez que o boleto será gerado!\rAs configurações do boleto "
                                     "já estão corretas?")) == Mensagens::Resposta::Sim;
}

// With direct debit, no marked client may have an unusable account.
bool contasValidas(const ControlesGeracao &c, const ResultSet &clientes) {
    if (!c.checkDebitoCC)
        return true;
    for (int i = 0; i < clientes.linhas(); ++i) {
        if (marcada(clientes, i) && !ContaCorrenteValida(clientes.valor(i, QStringLiteral("agencia")).texto(),
                                                         clientes.valor(i, QStringLiteral("cc")).texto())) {
            Mensagens::atual().atencao(QStringLiteral(
                "Existem registros marcado com conta e agencia inválida. Desmarque-os e gere os "
                "boletos, ou arrume o cadastro e gere novamente."));
            return false;
        }
        QCoreApplication::processEvents();
    }
    return true;
}

// Rows the bank would refuse are found before anything is written.
bool semRecusas(const ControlesGeracao &c, const ResultSet &lista, Money taxa, AmbienteGeracao &amb) {
    const QStringList recusas = RecusasDoBanco(c, lista, taxa, amb);
    if (recusas.isEmpty())
        return true;
    Mensagens::atual().atencao(
        QStringLiteral("O banco recusaria os boletos destes registros. Arrume o cadastro ou "
                       "desmarque-os e gere novamente:\r") +
        PrimeirosDaLista(recusas).join(u'\r'));
    return false;
}

void anunciaTaxa(Money taxa) {
    if (taxa > Money())
        Mensagens::atual().mensagem(QStringLiteral("Será adicionado a taxa do boleto no valor de R$ ") +
                                    Regional::atual().formataValor(taxa) +
                                    QStringLiteral(" para cada cliente!"));
}

// Asked once the account is set up and before any document is built or printed: a setting only the
// remittance needs (a bank's code for its headers, a check digit the boleto does not carry) stops the run
// here, not after the boletos went out.
bool remessaPossivel(const boleto::ObjetoBolix &bolix) {
    const QString recusa = bolix.call(QStringLiteral("RecusaArquivoRemessa")).toText();
    if (recusa.isEmpty())
        return true;
    Mensagens::atual().atencao(QStringLiteral("O arquivo de remessa não poderia ser gerado. Arrume as "
                                              "configurações do boleto e gere novamente:\r") +
                               recusa);
    return false;
}

// False when the component did not write the file; the operator is told why.
bool gravaRemessa(const boleto::ObjetoBolix &bolix) {
    try {
        const QString resposta = bolix.call(QStringLiteral("GravaArquivoRemessa")).toText();
        Mensagens::atual().mensagem(QStringLiteral("Arquivo de Remessa gerado") + resposta);
        return true;
    } catch (const automation::AutomationError &e) {
        Mensagens::atual().erro(QStringLiteral("O arquivo de remessa não foi gerado.\r") + e.text());
        return false;
    }
}

} // namespace

int PegaSequenciaRemessa(const IniFile &ini, Connection &conexao, const ContaNumerada &conta) {
    try {
        const qint64 guardada = ini.lerInteiro(secao, QStringLiteral("sequencia_remessa"), 0);
        // The component numbers the file with 32 bits; -1 is the failure answer.
        if (guardada < 0 || guardada >= std::numeric_limits<int>::max())
            throw Erro(QStringLiteral("A sequência do arquivo de remessa (chave sequencia_remessa) vale %1: "
                                      "ela deve ficar entre 0 e %2.")
                           .arg(guardada)
                           .arg(std::numeric_limits<int>::max() - 1));
        const int sequencia = ReservaSequenciaRemessa(conexao, conta, guardada);
        ini.gravarInteiro(secao, QStringLiteral("sequencia_remessa"), sequencia);
        return sequencia;
    } catch (const std::exception &e) {
        Mensagens::atual().mensagem(textoDoErro(e));
        return -1;
    }
}

Money LeTaxaBoleto(const IniFile &ini) {
    return ini.lerDecimal(secao, QStringLiteral("valor_taxa"), Money());
}

void GerarArquivo(const ControlesGeracao &c, const ListagensGeracao &l, CamposGeracao &campos,
                  AmbienteGeracao &amb, const std::function<void(const QString &)> &mostraTitulo) {
    if (!podeGerar(c, l, amb.estado))
        return;
    // The window closes the other mode's listing; a closed one has no row to charge.
    static const ResultSet fechada;
    const ResultSet *aberta = c.porEmpresa ? l.empresas : l.clientes;
    const ResultSet &lista = aberta ? *aberta : fechada;
    if (!c.porEmpresa && !contasValidas(c, lista))
        return;
    const Money taxa = LeTaxaBoleto(amb.ini);
    if (!semRecusas(c, lista, taxa, amb))
        return;
    // Drawn once nothing can stop the run before it writes: a run stopped by the checks uses no number.
    campos.SequenciaRemessa =
        PegaSequenciaRemessa(amb.ini, amb.conexao, ContaDaInstalacao(amb.estado, amb.ini));
    if (campos.SequenciaRemessa == -1) {
        Mensagens::atual().mensagem(
            QStringLiteral("Não foi possível obter a sequência para o arquivo de remessa!"));
        return;
    }

    campos.TaxaBoleto = taxa;
    anunciaTaxa(taxa);
    // A counter that is no whole number would hand out numbers the bank already has.
    LeNossoNumero(amb.ini);
    const ControlesConta conta{true,      c.DirFinal, c.checkDebitoCC,
                               QString(), c.cbDtVenc, campos.SequenciaRemessa};
    mostraTitulo(ConfigurarConta(conta, {amb.programDir, amb.estado.banco}, amb.bolix, amb.ini, amb.conexao));
    if (!remessaPossivel(amb.bolix))
        return;
    // Through the bank's API the boletos are printed once the bank has registered them.
    const bool pelaApi = !c.checkDebitoCC && RegistroPelaApi(amb.bolix);
    ControlesGeracao semImpressao = c;
    semImpressao.cbImprimir = c.cbImprimir && !pelaApi;
    const int documentos = GerarDocumentos(semImpressao, lista, campos, amb);
    amb.ini.gravarTexto(secao, QStringLiteral("endereco_destino"), c.DirFinal);
    amb.ini.gravarTexto(secao, QStringLiteral("cod_empresa"), c.edCodEmpres);
    if (pelaApi)
        return RegistraNoBanco(c.cbImprimir, amb);

    if (Mensagens::atual().pergunta(QStringLiteral("Deseja gerar o arquivo de remessa para o banco?")) !=
        Mensagens::Resposta::Sim)
        return;
    if (!gravaRemessa(amb.bolix))
        return;
    if (c.checkDebitoCC && amb.estado.banco.left(3) == u"356") {
        // The debit identification goes by the date column of the last listing, not of the combo box now.
        Periodo listado = c.periodo;
        listado.CampoData = amb.estado.CampoData;
        CompletaRemessaDebito(QDir(RemoveAspas(c.DirFinal)).filePath(QStringLiteral("remessa.rem")),
                              documentos, campos.CodigosMarcados, amb.estado.LojasLeramAtual, listado,
                              amb.conexao);
    }
}
