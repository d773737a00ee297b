OPENQASM 3.0;
include "stdgates.inc";
// Quantum logic circuit: 23 gates on 2 qubits, gate 1 first.
// Qubit k of the circuit is q[2 - k]: reading q[0] as the least significant bit of the
// basis state index, the unitary of this program is that of the circuit, exactly.
// The circuit equals the input matrix only within the tolerance of the run's
// checks, eps = 1e-07 per entry: a part of the input below that may have become
// no gate at all. The deviation printed by qlc decompose --summary is the
// figure to trust.
// Every gate is U(theta, phi, lambda) (a NOT is x, a CNOT cx) with its phase as
// gphase, controlled along with it, so the global phase is exact as well.
qubit[2] q;
U(0.0, 0.0, 0.1013211377105354) q[0];
gphase(-0.0506605688552677);
cx q[1], q[0];
U(0.82276528530786719, 0.0, 3.0402715158792577) q[0];
gphase(-1.5201357579396289);
cx q[1], q[0];
U(2.318827368281926, 0.78696466888868599, 0.0) q[0];
gphase(1.4917249227556182);
U(0.55972398606459017, 2.5127707927796639, -1.9852700696800705) q[1];
gphase(-2.51402911801009);
cx q[0], q[1];
U(1.2909343337626016, 0.0, -0.62882186081012903) q[1];
gphase(0.31441093040506451);
cx q[0], q[1];
U(1.2909343337626018, 0.85680161961189771, -3.1415926535897931) q[1];
gphase(1.2214669210282261);
cx q[1], q[0];
U(1.5151547466609641, 0.0, -0.62640202309798321) q[0];
gphase(0.3132010115489916);
cx q[1], q[0];
U(2.3733766803555079, 2.2217199850748375, 0.0) q[0];
gphase(-2.7270191668660608);
cx q[0], q[1];
U(0.44859262026621438, 0.0, 0.55898491008691709) q[1];
gphase(-0.27949245504345854);
cx q[0], q[1];
U(2.6930000333235791, 1.6251556373610372, 0.0) q[1];
gphase(3.1415926535897931);
cx q[1], q[0];
U(0.78936719270264943, 0.0, -0.77107092952879741) q[0];
gphase(0.38553546476439871);
cx q[1], q[0];
x q[1];
U(2.3522254608871438, -1.1262114678775512, 0.0) q[0];
gphase(3.0280647841998887);
