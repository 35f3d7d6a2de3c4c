// The floor page's half: hands the program its fields and outputs and wakes it on a press.
'use strict';
const Floor = (() => {
  const $ = (id) => document.getElementById(id);
  let wake = null, pressed = false;
  $('calculate').addEventListener('click', () => {
    pressed = true;
    if (wake) wake();
  });
  return {
    fields: [0, 1, 2, 3, 4].map((i) => $('f' + i)),
    outputs: [$('o0'), $('o1')],
    async press() {
      while (!pressed) await new Promise((resolve) => { wake = resolve; });
      pressed = false;
      wake = null;
    },
  };
})();
