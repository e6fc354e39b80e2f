-- A large database for the listing benchmarks: {CLIENTES} clients of {EMPRESAS} companies and {RECEBER}
-- receivables spread over the last two years (dates relative to CURDATE()), on two branches.
-- Deterministic: the same counts give the same rows. Runs after db/schema.sql.

INSERT INTO bancos (bancos_id, descricao) VALUES
  ('001', 'Banco do Brasil S.A.'), ('104', 'Caixa Econômica Federal'), ('237', 'Banco Bradesco S.A.'),
  ('341', 'Itaú Unibanco S.A.'), ('356', 'Banco Real S.A.'), ('756', 'Banco Cooperativo do Brasil - Sicoob');

INSERT INTO filial (filial_id, nome, cgc, relreceberunificado) VALUES
  (1, 'MATRIZ', '12.345.678/0001-90', 'N'), (2, 'FILIAL', '12.345.678/0002-71', 'N');

INSERT INTO empresa (empresa_id, nome, cgc, inscr, endereco, bairro, cidade, estado, cep, diasjur, multa, jurosdia)
SELECT seq, concat('EMPRESA ', seq, ' LTDA'), lpad(seq * 7919, 14, '0'), lpad(seq * 104729, 12, '0'),
       concat('AV. INDUSTRIAL, ', seq * 10), 'DISTRITO INDUSTRIAL', 'SÃO PAULO', 'SP', '04000-000',
       seq mod 6, 2, 0.0333
FROM seq_1_to_{EMPRESAS};

INSERT INTO clientes (clientes_id, empresa_id, chapa, nome, cgc, cpf, endereco, numero1, bairro, cidade, uf, cep,
                      agencia, cc, cobra_juros, multa, juros, saldomes)
SELECT seq, 1 + seq mod {EMPRESAS}, 100000 + seq, concat('CLIENTE NÚMERO ', seq, ' DA SILVA'),
       IF(seq mod 10 = 0, lpad(seq, 14, '0'), ''), lpad(seq * 31, 11, '0'),
       concat('RUA ', seq mod 997, ' DE JANEIRO'), seq mod 2000, 'CENTRO', 'SÃO PAULO', 'SP', '01000-000',
       IF(seq mod 4 = 0, '00000', lpad(seq mod 9999, 4, '0')), IF(seq mod 6 = 0, '', lpad(seq * 13, 8, '0')),
       IF(seq mod 7 = 0, 'S', 'N'), 2, 0.05, 0
FROM seq_1_to_{CLIENTES};

INSERT INTO receber (filial_id, receber_id, clientes_id, numlanc, datahora, vencimento, valor, quantidade, amort,
                     valortotal, apagado, tipo, produto_id, usuario_id, numnota)
SELECT 1 + seq mod 2, seq, c, seq div 3, d, date(d) + interval (30 * (1 + seq mod 3)) day, v, q, a,
       round(v * q * (100 - a) / 100, 4), IF(seq mod 23 = 0, 'S', 'N'), 0, 1 + seq mod 500, 1, seq div 3
FROM (
  SELECT seq,
         1 + (seq * 7919) mod {CLIENTES} AS c,
         curdate() - interval (seq mod 730) day + interval (28800 + (seq * 3571) mod 36000) second AS d,
         round(5 + ((seq * 4721) mod 49500) / 100, 2) AS v,
         IF(seq mod 29 = 0, 0, 1 + seq mod 3) AS q,
         IF(seq mod 10 = 0, 100, IF(seq mod 17 = 0, 50, 0)) AS a
  FROM seq_1_to_{RECEBER}
) r;
