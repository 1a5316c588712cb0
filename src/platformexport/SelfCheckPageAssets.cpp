#include "platformexport/SelfCheckPageAssets.h"

// Large touch targets, text that wraps on a phone, marks that do not rely
// on colour alone.
const char* const SelfCheckPageAssets::Style = R"css(
*{box-sizing:border-box}
body{margin:0;padding:1rem;font-family:system-ui,"Noto Sans CJK JP","Hiragino Sans","Yu Gothic",sans-serif;
font-size:1.05rem;line-height:1.6;color:#1b1b1b;background:#fafafa}
main{max-width:48rem;margin:0 auto}
h1{font-size:1.4rem;margin:.2rem 0}
.subtitle{margin:0 0 1rem;color:#555}
section.print{background:#fff;border:1px solid #ccc;border-radius:.6rem;padding:1rem;margin:0 0 1.5rem}
h2{font-size:1.25rem;margin:0 0 .5rem}
.instruction{font-weight:bold;margin:1rem 0 .5rem}
.item{padding:.6rem 0;border-top:1px solid #eee}
.sentence{overflow-wrap:anywhere}
.entry{display:flex;align-items:center;gap:.5rem;margin-top:.3rem}
.entry input{flex:1;min-width:0;font-size:1.1rem;padding:.55rem .6rem;border:1px solid #888;border-radius:.4rem}
.mark{min-width:2.2rem;font-size:1.4rem;font-weight:bold;text-align:center}
.item.right .mark{color:#0a7a2f}
.item.wrong .mark{color:#c0152f}
.item.right input{border-color:#0a7a2f;background:#effaf2}
.item.wrong input{border-color:#c0152f;background:#fdf0f2}
.answer{margin-top:.3rem;color:#0b4f9c}
.buttons{display:flex;flex-wrap:wrap;gap:.6rem;margin-top:1rem}
button{font-size:1.05rem;min-height:2.9rem;padding:.5rem 1.2rem;border-radius:.5rem;border:1px solid #0b4f9c;
background:#0b4f9c;color:#fff;cursor:pointer;touch-action:manipulation}
button.show{background:#fff;color:#0b4f9c}
.score{font-size:1.2rem;font-weight:bold;margin:.8rem 0 0}
)css";

// The same comparison as AnswerNormalizer: NFKC, "[…]" marks and "~" dropped,
// split on , 、 / ; into parts, Latin letters in lower case, runs of spaces
// as one; right when every part typed is one of the accepted forms.
const char* const SelfCheckPageAssets::Script = R"js(
(function () {
  'use strict';
  var data = JSON.parse(document.getElementById('tv-data').textContent);
  function unify(text) {
    var s = text.normalize('NFKC');
    var out = '';
    for (var i = 0; i < s.length; i++) {
      var c = s.charAt(i);
      if (c === '[') {
        var close = s.indexOf(']', i + 1);
        if (close >= 0) { i = close; continue; }
      }
      if (c !== '~' && c !== '\u301c') out += c;
    }
    return out;
  }
  function tidy(part) {
    return part.replace(/\p{Script=Latin}/gu, function (c) { return c.toLowerCase(); })
      .replace(/\s+/gu, ' ').trim();
  }
  function accepts(accepted, typed) {
    var parts = unify(typed).split(/[,\u3001\/;]/).map(tidy).filter(function (p) { return p.length > 0; });
    if (parts.length === 0) return false;
    return parts.every(function (p) { return accepted.indexOf(p) >= 0; });
  }
  function fill(template, values) {
    var i = 0;
    return template.replace(/%d/g, function () { return String(values[i++]); });
  }
  var sections = document.querySelectorAll('section.print');
  Array.prototype.forEach.call(sections, function (section, p) {
    var items = section.querySelectorAll('.item');
    var score = section.querySelector('.score');
    section.querySelector('button.check').addEventListener('click', function () {
      var right = 0;
      Array.prototype.forEach.call(items, function (item, n) {
        var ok = accepts(data.accepted[p][n], item.querySelector('input').value);
        if (ok) right++;
        item.classList.toggle('right', ok);
        item.classList.toggle('wrong', !ok);
        var mark = item.querySelector('.mark');
        mark.textContent = ok ? data.text.right : data.text.wrong;
        mark.setAttribute('data-result', ok ? 'right' : 'wrong');
      });
      score.textContent = fill(data.text.score, [right, items.length]);
    });
    var show = section.querySelector('button.show');
    show.addEventListener('click', function () {
      var open = show.getAttribute('aria-expanded') !== 'true';
      show.setAttribute('aria-expanded', open ? 'true' : 'false');
      show.textContent = open ? data.text.hide : data.text.show;
      Array.prototype.forEach.call(section.querySelectorAll('.answer'), function (a) { a.hidden = !open; });
    });
  });
})();
)js";
