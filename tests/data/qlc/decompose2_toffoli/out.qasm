OPENQASM 3.0;
include "stdgates.inc";
// Quantum logic circuit: 11 gates on 2 qubits, gate 1 first.
// Qubit k of the circuit is q[2 - k]: reading q[0] as the least significant bit of the
// basis state index, the unitary of this program is that of the circuit, exactly.
// The circuit equals the input matrix only within the tolerance of the run's
// checks, eps = 1e-07 per entry: a part of the input below that may have become
// no gate at all. The deviation printed by qlc decompose --summary is the
// figure to trust.
// Every gate is U(theta, phi, lambda) (a NOT is x, a CNOT cx) with its phase as
// gphase, controlled along with it, so the global phase is exact as well.
qubit[2] q;
ctrl(1) @ U(1.6455305706157344, 0.0, 0.20264227542107083) q[1], q[0];
ctrl(1) @ gphase(2.9389503781687223) q[1];
x q[0];
U(0.55972398606459006, 0.0, -1.8839489319695346) q[1];
gphase(-1.2576437216202581);
ctrl(1) @ U(2.5818686675252032, 1.2576437216202581, 0.0) q[0], q[1];
ctrl(1) @ U(3.0303094933219281, -2.6733334385703666, -2.3570478224132532) q[1], q[0];
ctrl(1) @ gphase(-0.46825921501942641) q[1];
U(2.3946538801631148, 0.0, 2.6733334385703671) q[0];
gphase(0.46825921501942624);
ctrl(1) @ U(0.89718524053242887, 3.1415926535897931, 2.0236228334159594) q[0], q[1];
x q[1];
ctrl(1) @ U(1.5787343854052989, -2.0096339656329567, -2.7314094824890343) q[1], q[0];
ctrl(1) @ gphase(-2.2875079457575538) q[1];
x q[1];
U(3.1415926535897931, 0.0, -0.0057472200792845207) q[0];
gphase(2.4678326603007554);
