#pragma once

#include "poolcheck.h"

namespace dezenario::pool {

// COPIAR PARA O GRUPO: the bolão as plain text for a messenger group: its contests, cotas and
// price, every game, and each participant with their cotas, paid or not; after the draw (check
// given), each contest's result as CONFERIR words it, the contests not yet imported, and what each
// participant gets, the unsold cotas and the centavos left.
QString groupText(const Pool &pool, qint64 priceOfABet, const PoolCheck *check = nullptr);

// A participant as the group and the receipts name them: "ANA: 3 COTAS, PAGO (PIX, 01/12/2026)".
QString participantInWords(const Participant &participant);
// "CONCURSO 2951", or "CONCURSOS 2951 A 2953 (TEIMOSINHA DE 3)".
QString contestsInWords(const Pool &pool);

// The receipts, a page a participant and one with every participant for the group: words a person
// reads, the games apart, to be laid in columns.
struct Receipt
{
    QStringList head;
    QStringList games; // "01) 01 02 03 04 05 06"
};
QList<Receipt> receiptsOf(const Pool &pool, qint64 priceOfABet);

} // namespace dezenario::pool
