#include "drav_icon.h"
#include "web/modern/site.h"

namespace drav::modern {

// Our own style sheet: system fonts, light and dark schemes, tables that scroll inside
// their box with the name column held in place, and a plain printed form: tables fit the
// page's width and break between rows (a table kept whole would move to the next page
// and leave the first one blank). A body row's head cell (th) is its name and a data cell
// before it its place: they are styled by position, which spares two class attributes
// on each of the thousands of rows of a large tournament's pages.
std::string_view StyleSheetText() {
  return R"css(:root{color-scheme:light dark;--bg:#fff;--fg:#1c2127;--mute:#5b6570;--line:#dde2e7;--head:#f2f4f6;--stripe:#f9fafb;--accent:#0a58a8;--tag:#eceff2;--tb:#fdf0c4;--tbfg:#6a4d00;--hl:#fff7d6}
@media (prefers-color-scheme:dark){:root{--bg:#111418;--fg:#e4e7ea;--mute:#9ba5af;--line:#2e353d;--head:#1a1f25;--stripe:#15191e;--accent:#73b3f5;--tag:#252b32;--tb:#4a3b0c;--tbfg:#f7dd8a;--hl:#2d2a16}}
*{box-sizing:border-box}
html{-webkit-text-size-adjust:100%;text-size-adjust:100%}
body{margin:0;background:var(--bg);color:var(--fg);font:16px/1.5 system-ui,-apple-system,"Segoe UI",Roboto,"Helvetica Neue",Arial,sans-serif}
header{max-width:80rem;margin:0 auto;padding:.6rem 1rem;display:flex;flex-wrap:wrap;gap:.2rem 1.2rem;align-items:baseline;border-bottom:1px solid var(--line)}
.site{font-weight:650;color:var(--fg);text-decoration:none;overflow-wrap:anywhere}
nav{display:flex;flex-wrap:wrap;gap:.2rem .9rem}
nav a{color:var(--accent);text-decoration:none;padding:.15rem 0}
nav a:hover{text-decoration:underline}
header nav a[aria-current]{color:var(--fg);font-weight:600;box-shadow:inset 0 -2px var(--accent)}
main{max-width:80rem;margin:0 auto;padding:0 1rem 2.5rem}
h1{font-size:1.55rem;line-height:1.25;margin:1.1rem 0 .6rem;overflow-wrap:anywhere}
h2{font-size:1.15rem;line-height:1.3;margin:1.6rem 0 .5rem;overflow-wrap:anywhere}
a{color:var(--accent)}
.note{color:var(--mute)}
.sub{margin:.4rem 0 1rem;gap:.4rem}
.sub a{border:1px solid var(--line);border-radius:999px;padding:.1rem .75rem;text-decoration:none}
.sub a[aria-current]{background:var(--accent);border-color:var(--accent);color:var(--bg)}
.rounds a{min-width:2.6rem;text-align:center}
.tw{overflow-x:auto;max-width:100%;margin:0 0 1.1rem;border:1px solid var(--line);border-radius:6px}
.tw:focus-visible{outline:2px solid var(--accent);outline-offset:2px}
table{border-collapse:separate;border-spacing:0;min-width:100%;font-size:15px;font-variant-numeric:tabular-nums}
caption{caption-side:top;text-align:left;font-weight:600;padding:.45rem .6rem;border-bottom:1px solid var(--line);overflow-wrap:anywhere}
th,td{padding:.38rem .6rem;text-align:right;white-space:nowrap;border-bottom:1px solid var(--line);background:var(--bg)}
tbody tr:last-child>*{border-bottom:0}
tbody tr:nth-child(even)>*{background:var(--stripe)}
thead th{background:var(--head);font-weight:600;vertical-align:bottom}
tfoot>tr>*{font-weight:600;border-top:2px solid var(--line);border-bottom:0;background:var(--head)}
th abbr[title]{text-decoration:none}
.l{text-align:left}
.r,tbody td:first-child{position:sticky;left:0;z-index:1;width:3.1em;min-width:3.1em;max-width:3.1em;color:var(--mute)}
.n,tbody th{position:sticky;left:3.1em;z-index:1;text-align:left;font-weight:400;white-space:normal;min-width:9rem;max-width:15rem;overflow-wrap:anywhere;box-shadow:inset -1px 0 var(--line)}
thead .n,thead .r,tfoot .n{font-weight:600}
.nr .n,.nr tbody th{left:0}
.sort thead th{cursor:pointer;user-select:none}
.sort th[aria-sort=ascending]::after{content:" \25B2";font-size:.7em}
.sort th[aria-sort=descending]::after{content:" \25BC";font-size:.7em}
.tag{display:inline-block;font-size:.72em;line-height:1.4;padding:0 .38em;border-radius:4px;background:var(--tag);color:var(--mute);font-weight:600;vertical-align:.12em;text-decoration:none}
.tb{background:var(--tb);color:var(--tbfg)}
.game{border-top:1px solid var(--line);margin-top:.4rem}
.game h2{font-size:1.05rem;margin:.9rem 0 .5rem}
.boxes{display:grid;grid-template-columns:repeat(auto-fit,minmax(min(100%,21rem),1fr));gap:0 1.2rem}
.bx{margin:-.6rem 0 1rem;color:var(--mute);font-size:15px}
ul.teams{columns:15rem;padding-left:1.2rem}
ul.rlist,ul.links{padding-left:1.2rem}
li{margin:.15rem 0}
dl.key{display:grid;grid-template-columns:max-content 1fr;gap:.35rem 1.1rem}
details.keys{margin:0 0 .8rem}details.keys summary{cursor:pointer;color:var(--accent);padding:.35rem 0}details.keys dl{margin:.3rem 0 .6rem}
dt{font-weight:600}
dd{margin:0}
:target{scroll-margin-top:.5rem}
section:target,tr:target>*{background:var(--hl)}
.tw{max-height:85vh;overflow-y:auto}thead th{position:sticky;top:0;z-index:2}thead .r,thead .n{z-index:3}
.tw[data-more]{-webkit-mask-image:linear-gradient(to left,transparent,#000 2.2rem);mask-image:linear-gradient(to left,transparent,#000 2.2rem)}
.more{margin:-.8rem 0 1rem;color:var(--mute);font-size:14px;text-align:right}
.find{margin:1rem 0 1.4rem}.find label{display:block;font-weight:600;margin:0 0 .3rem}
.find input{font:inherit;width:100%;max-width:28rem;padding:.45rem .6rem;border:1px solid var(--mute);border-radius:6px;background:var(--bg);color:var(--fg)}
.find input:focus-visible{outline:2px solid var(--accent);outline-offset:1px}.find .note{margin:.4rem 0}.find ul{margin:0}
.champ{font-size:1.15rem;font-weight:600;margin:1rem 0}ol.top{list-style:none;padding-left:0}.pl{display:inline-block;min-width:2.2em;color:var(--mute)}
ul.results{padding-left:1.2rem;margin:.4rem 0 1.2rem}
.chart{margin:0 0 1.1rem;max-width:40rem}.chart figcaption{font-weight:600;margin:0 0 .3rem}.chart svg{display:block;width:100%;height:auto}
.chart text{fill:var(--mute);font-size:12px}.chart .g{stroke:var(--line)}.chart polyline{fill:none;stroke-width:2}
.chart .cf{stroke:var(--accent);fill:var(--accent)}.chart polyline.cf{fill:none}.chart .ca{stroke:var(--fg);fill:var(--fg)}.chart polyline.ca{fill:none;stroke-width:1.5;stroke-dasharray:5 3}
.lg{font-weight:400;color:var(--mute);font-size:.9em}.lg i{display:inline-block;width:1.4em;margin:0 .35em 0 .8em;vertical-align:middle;border-top:2px solid var(--accent)}.lg i.ca{border-top:2px dashed var(--fg)}
.chart .dot{fill:var(--accent);fill-opacity:.75;stroke:var(--bg)}.chart a:focus{outline:none}.chart a:focus .dot,.chart a:hover .dot{stroke:var(--fg);stroke-width:3;fill-opacity:1}
.bracket{max-width:none}.bracket svg{width:auto}.chart .gb{fill:var(--bg);stroke:var(--line)}.chart .ln{fill:none;stroke:var(--mute)}.chart .w{fill:var(--fg);font-weight:600}.chart a text{fill:var(--accent)}.chart a text.w{fill:var(--accent)}
@media (max-width:40rem){header,main{padding-left:.75rem;padding-right:.75rem}h1{font-size:1.35rem}header nav{gap:.2rem .75rem;font-size:15px}.n,tbody th{min-width:8.5rem;max-width:11rem}}
@media print{:root{--bg:#fff;--fg:#000;--mute:#444;--line:#bbb;--head:#eee;--stripe:#fff;--accent:#000;--tag:#eee;--tb:#eee;--tbfg:#000;--hl:#fff}
body{font-size:10pt}header nav,.sub,details.keys{display:none}.chart{break-inside:avoid}header,main{max-width:none;padding-left:0;padding-right:0}
.tw{overflow:visible;max-height:none;border:0;margin-bottom:.6rem;-webkit-mask-image:none;mask-image:none}.more,.find{display:none}thead th{position:static}table{width:100%;min-width:0;font-size:8pt}th,td{padding:.1rem .25rem}
thead th{white-space:normal}.r,.n,tbody th,tbody td:first-child{position:static;box-shadow:none;width:auto;min-width:0;max-width:none}.n,tbody th{min-width:7em;overflow-wrap:normal}
thead{display:table-header-group}tr,.side{break-inside:avoid}h1,h2,caption{break-after:avoid}a{text-decoration:none}}
@page{margin:12mm}
)css";
}

// Sortable columns: a click (or Enter) on a column head orders the rows by that column;
// numbers first by size (largest first, places smallest first), a second click reverses.
// Without the script the rows stay in standings order.
std::string_view ScriptText() {
  return R"js("use strict";
(function(){
function key(cell){var t=cell.textContent.trim().replace(/\u2212/g,"-");if(t==="inf")return Infinity;
var m=/^[-+]?\d+(\.\d+)?/.exec(t);return m?parseFloat(m[0]):null;}
function setup(table){var head=table.tHead&&table.tHead.rows[0],body=table.tBodies[0];if(!head||!body)return;
Array.prototype.forEach.call(body.rows,function(r,i){r.dataset.i=i;});
Array.prototype.forEach.call(head.cells,function(th,col){th.tabIndex=0;
function go(){var rows=Array.prototype.slice.call(body.rows);
var keys=rows.map(function(r){var c=r.cells[col];return c?key(c):null;});
var numeric=keys.every(function(k,i){return k!==null||!rows[i].cells[col]||rows[i].cells[col].textContent.trim()===""||rows[i].cells[col].textContent.trim()==="\u2014";});
var now=th.getAttribute("aria-sort");var asc=now?now==="descending":(!numeric||th.classList.contains("r"));
var items=rows.map(function(r,i){return{r:r,k:numeric?keys[i]:(r.cells[col]?r.cells[col].textContent.trim():""),i:+r.dataset.i};});
items.sort(function(a,b){if(numeric){if(a.k===null&&b.k!==null)return 1;if(b.k===null&&a.k!==null)return -1;
if(a.k!==b.k&&a.k!==null)return asc?(a.k<b.k?-1:1):(a.k<b.k?1:-1);}
else{var c=a.k.localeCompare(b.k);if(c)return asc?c:-c;}return a.i-b.i;});
Array.prototype.forEach.call(head.cells,function(h){h.removeAttribute("aria-sort");});
th.setAttribute("aria-sort",asc?"ascending":"descending");
items.forEach(function(it){body.appendChild(it.r);});}
th.addEventListener("click",go);
th.addEventListener("keydown",function(e){if(e.key==="Enter"||e.key===" "){e.preventDefault();go();}});});}
function fold(s){return s.normalize("NFD").replace(/[\u0300-\u036f]/g,"").toLowerCase();}
function find(){var form=document.querySelector("form.find"),data=window.dravFind;if(!form||!data)return;
var input=form.querySelector("input"),list=form.querySelector("ul"),count=form.querySelector("#found-count");
var keys=data.map(function(e){return fold(e[0]+" "+e[3]);});form.hidden=false;
function show(){var q=fold(input.value.trim());list.textContent="";if(!q){count.textContent="";return;}
var words=q.split(/\s+/),hits=[];for(var i=0;i<data.length;i++){if(words.every(function(w){return keys[i].indexOf(w)>=0;}))hits.push(data[i]);}
hits.slice(0,20).forEach(function(e){var li=document.createElement("li"),a=document.createElement("a");a.href=e[2];a.textContent=e[0];li.appendChild(a);
var s=document.createElement("span");s.className="note";s.textContent=e[1]==="t"?" team":" "+e[3];li.appendChild(s);list.appendChild(li);});
count.textContent=hits.length===0?"Nothing found":hits.length===1?"1 found":hits.length>20?hits.length+" found, the first 20 shown":hits.length+" found";}
input.addEventListener("input",show);
form.addEventListener("submit",function(e){e.preventDefault();var a=list.querySelector("a");if(a)window.location.href=a.href;});}
// A table wider than its box fades at the right edge, with a line saying more columns
// scroll in, until the box is scrolled to its end.
function hint(box){var line=document.createElement("p");line.className="more";line.textContent="More columns: scroll sideways \u2192";line.hidden=true;
box.parentNode.insertBefore(line,box.nextSibling);
function update(){var more=box.scrollWidth>box.clientWidth+1&&box.scrollLeft+box.clientWidth<box.scrollWidth-1;
if(more)box.setAttribute("data-more","");else box.removeAttribute("data-more");line.hidden=box.scrollWidth<=box.clientWidth+1;}
box.addEventListener("scroll",update,{passive:true});window.addEventListener("resize",update);update();}
document.addEventListener("DOMContentLoaded",function(){Array.prototype.forEach.call(document.querySelectorAll("table.sort"),setup);
Array.prototype.forEach.call(document.querySelectorAll(".tw"),hint);find();});
})();
)js";
}

std::string_view IconBytes() {
  return {reinterpret_cast<const char*>(kIconPng), sizeof kIconPng};
}

}  // namespace drav::modern
