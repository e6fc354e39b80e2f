// The component's CNAB 240 return reader: any bytes are read whole or refused with an ErroBolix, and
// what it accepts is a file whose every title came in a T and U pair.

#include "Propriedade.h"

#include "bolix/core/ErroBolix.h"
#include "bolix/core/cnab/Retorno.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dados, size_t tamanho) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(dados), qsizetype(tamanho));
    // The file's own bank, so that the reading goes past the first field.
    const QString banco = QString::fromLatin1(bytes.left(3));
    try {
        const QList<bolix::Ocorrencia> lidas = bolix::leRetorno240(bytes, QStringLiteral("fuzz.ret"), banco);
        // Two lines of 240 per title, inside a lot with its header and trailer, inside the file's.
        exige(lidas.isEmpty() || bytes.size() >= (4 + 2 * lidas.size()) * 240,
              "an accepted file holds two lines per title");
        for (const bolix::Ocorrencia &o : lidas)
            exige(!o.numeroDocumento.isEmpty() && o.valorPago >= 0 && o.valorTitulo >= 0,
                  "an accepted title has a document number and amounts of zero or more", o.numeroDocumento);
    } catch (const bolix::ErroBolix &e) {
        exige(e.texto().startsWith(u"Arquivo de retorno fuzz.ret"), "a refusal names the file", e.texto());
    }
    return 0;
}
