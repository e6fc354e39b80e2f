// The program's own direct-debit return reader: any bytes give occurrences or an Erro naming the line.

#include "Propriedade.h"

#include "retorno/ArquivoRetorno.h"
#include "util/Erro.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dados, size_t tamanho) {
    FuzzedDataProvider fdp(dados, tamanho);
    const Money taxa = Money::deCentavos(fdp.ConsumeIntegralInRange<std::int64_t>(0, 100'000));
    const std::string bytes = fdp.ConsumeRemainingBytesAsString();
    const QStringList linhas = LinhasDoArquivo(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    if (linhas.isEmpty())
        return 0;
    ModoDoRetorno(linhas.first());
    try {
        const std::vector<Ocorrencia> lidas = OcorrenciasDebito(linhas, taxa);
        exige(lidas.size() + 2 <= size_t(linhas.size()) || lidas.empty(),
              "one occurrence per line between the first and the last");
        for (const Ocorrencia &o : lidas)
            CodIdDaChave(o.chave, o.origem);
    } catch (const Erro &e) {
        exige(e.texto().contains(u"linha") || e.texto().contains(u"ocorrência"), "a refusal names the line",
              e.texto());
    }
    return 0;
}
