// The page of `scenario_tool view`: the plan and the profile of one scenario, linked. The profile
// sets the stretch shown (wheel, drag, keys, the km boxes); the plan follows it and highlights it.
// Everything is drawn from the JSON in #scenario-data, which the tool writes: the report of
// `inspect --json --cells`, the features worded as the format reference words them, and the
// centre line and series with their levels of detail.
(function () {
  'use strict';

  document.documentElement.classList.remove('no-script');
  const SVGNS = 'http://www.w3.org/2000/svg';
  const scriptStart = performance.now();
  const data = JSON.parse(document.getElementById('scenario-data').textContent);
  const report = data.report;
  const lengthM = Math.max(data.length_m, 1);
  const cellMetres = data.cell_metres || 50;
  const cells = report.cells || [];
  const stations = report.stations || [];
  const plan = data.plan;
  const profile = data.profile;
  const curves = data.curves ? data.curves.stretches : [];
  const findings = data.findings || [];
  const routeEndM = report.route ? report.route.length_m : null;

  // The driver's papers of `documents`, when the tool could derive them.
  (function showDocuments() {
    const box = document.getElementById('documents');
    if (!data.documents || !box) return;
    box.hidden = false;
    for (const paper of data.documents) {
      const title = document.createElement('h2');
      title.textContent = paper.title + ' (' + paper.file + ')';
      box.appendChild(title);
      const text = document.createElement('pre');
      text.textContent = paper.text;
      box.appendChild(text);
    }
  })();

  // ---- Small helpers ----

  function el(name, attrs, parent) {
    const e = document.createElementNS(SVGNS, name);
    for (const k in attrs) e.setAttribute(k, attrs[k]);
    if (parent) parent.appendChild(e);
    return e;
  }

  function kmText(m, decimals) {
    const d = decimals === undefined ? 3 : decimals;
    return (m / 1000).toFixed(d).replace(/\.?0+$/, '') || '0';
  }

  // A position in words, as the tool prints it: "km 9.850".
  function kmPosition(m) {
    return 'km ' + (m < 0 ? '-' : '') + (Math.abs(m) / 1000).toFixed(3);
  }

  // The first index i with a[i] > v, a sorted.
  function upperBound(a, v) {
    let lo = 0;
    let hi = a.length;
    while (lo < hi) {
      const mid = (lo + hi) >> 1;
      if (a[mid] <= v) lo = mid + 1;
      else hi = mid;
    }
    return lo;
  }

  // A step of 1, 2 or 5 times a power of ten, at least `least`.
  function niceStep(least) {
    const p = Math.pow(10, Math.floor(Math.log10(least)));
    for (const f of [1, 2, 5, 10]) {
      if (f * p >= least) return f * p;
    }
    return 10 * p;
  }

  function perMille(g) {
    return (g > 0 ? '+' : g < 0 ? '\u2212' : '') + Math.abs(g) + ' \u2030';
  }

  // ---- The items: every feature, station, stretch and finding, each with its words ----

  const items = [];   // {key, kind, m, end, label, words, lane, cell}
  const byKey = new Map();
  function addItem(item) {
    item.key = String(items.length);
    items.push(item);
    byKey.set(item.key, item);
    return item;
  }

  // The lanes under the panels, top to bottom; each is one tab stop.
  const LANES = ['signals', 'speed boards', 'slowdowns', 'code markers', 'station stops',
    'signboards', 'tunnels', 'other cells', 'findings'];
  const LANE_OF_KIND = {
    signal: 'signals', speed_board: 'speed boards', slowdown_start: 'slowdowns',
    slowdown_end: 'slowdowns', slowdown_warning: 'slowdowns', slowdown_announce: 'slowdowns',
    code_cut: 'code markers', code_cut_zero: 'code markers', station_stop: 'station stops',
    signboard: 'signboards', tunnel_marker: 'tunnels'
  };

  stations.forEach(function (s, i) {
    addItem({
      kind: 'station', m: s.position_m, start: s.zone_start_m, end: s.zone_end_m, label: s.name,
      words: data.station_words[i], station: s, lane: 'stations'
    });
  });
  cells.forEach(function (c, i) {
    const words = data.cell_words[i];
    addItem({
      kind: c.kind_name, m: c.metres, label: c.kind_name.replace(/_/g, ' ') + ' \u2014 cell ' +
        c.index + lineAfterHeading(words), words: words, lane: LANE_OF_KIND[c.kind_name] ||
        'other cells', cell: c
    });
  });
  curves.forEach(function (c) {
    addItem({
      kind: 'curve', m: c.start_m, end: c.end_m, label: c.side + ' curve, class ' + c['class'] +
        ', radius ' + c.radius_m + ' m', words: c.words + '\n' + data.curve_words, curve: c,
      lane: 'curves', bar: true
    });
  });
  findings.forEach(function (f) {
    // A finding with no place on the line is only listed, first.
    const placed = f.position_m !== null;
    addItem({
      kind: 'finding', m: placed ? f.position_m : -1, placeless: !placed,
      label: f.severity + ': ' + f.message, lane: 'findings', finding: f,
      words: f.severity + ' (' + f.check_id + ')' + (placed ? ' at ' + kmPosition(f.position_m) : '') + '\n' + f.message
    });
  });
  (data.tunnels || []).forEach(function (t) {
    addItem({ kind: 'tunnel', m: t.start_m, end: t.end_m, label: 'tunnel, type ' + t.type,
      words: t.words, lane: 'tunnels', bar: true });
  });
  (data.slowdowns || []).forEach(function (s) {
    addItem({ kind: 'slowdown', m: s.start_m, end: s.end_m, label: 'slowdown at ' + s.speed_kmh +
      ' km/h', words: s.words, lane: 'slowdowns', bar: true, speed: s.speed_kmh });
  });
  (data.gradients || []).forEach(function (g) {
    const sense = g.per_mille > 0 ? 'rising' : g.per_mille < 0 ? 'falling' : 'level';
    addItem({ kind: 'gradient', m: g.start_m, end: g.end_m, lane: 'gradient', bar: true,
      label: 'gradient ' + perMille(g.per_mille), value: g.per_mille,
      words: 'gradient ' + perMille(g.per_mille) + ' (' + sense + ') from ' + kmPosition(g.start_m) +
        ' to ' + kmPosition(g.end_m) + '\n' + (g.per_mille === 0 ? 'level track' : 'the track ' +
        (g.per_mille > 0 ? 'rises ' : 'falls ') + Math.abs(g.per_mille) + ' m in every km, ' +
        Math.abs(g.per_mille) * cellMetres / 1000 + ' m in each cell of 50 m; over the stretch ' +
        (g.per_mille * (g.end_m - g.start_m) / 1000).toFixed(1) + ' m') });
  });
  (data.poor_adhesion || []).forEach(function (s) {
    addItem({ kind: 'adhesion', m: s.start_m, end: s.end_m, label: 'poor adhesion',
      words: s.words, lane: 'adhesion', bar: true });
  });

  // A short hint of what a feature holds, for the side list: the name of a station stop or the
  // inscription of a sign.
  function lineAfterHeading(words) {
    const lines = words.split('\n');
    const last = lines[lines.length - 1];
    const dash = last.lastIndexOf(' \u2014 ');
    if (lines.length === 4 && dash >= 0) return ': ' + last.slice(dash + 3);
    return '';
  }

  // ---- What this record's values mean, and why it stands where it does ----

  function sideSays(hand, kind, aspects) {
    if (kind === 0) return 'no ' + hand + ' signal';
    return 'a ' + hand + ' signal' + (kind === 2 ? ' whose time counts' : '') +
      ', aspect values ' + aspects.join(', ');
  }

  function speedSays(s) {
    function one(v) { return v === 0 ? 'none' : v + ' km/h'; }
    return one(s.left_kmh) + ' on the left, ' + one(s.right_kmh) + ' on the right';
  }

  // One line or more saying what the values of this record say, in plain words.
  function recordSays(item) {
    if (item.kind === 'station') {
      const t = item.station.type;
      const reach = t >= 25 ? 'no stop cell' : t === 5 || t === 6 ?
        'its zone reaches from pos \u2212 length to pos + 150' : t === 7 || t === 8 ?
          'its zone reaches from pos \u2212 length to pos + length' :
          'its zone is centred on pos';
      return ['type ' + t + ': ' + reach + '; zone ' + kmPosition(item.station.zone_start_m) +
        ' to ' + kmPosition(item.station.zone_end_m) + '; timetable time ' + item.station.time];
    }
    if (!item.cell) return [];
    const v = item.cell.meaning || {};
    switch (item.kind) {
      case 'signal': {
        const out = [sideSays('left-hand', v.left.sx, v.left.aspects),
          sideSays('right-hand', v.right.dx, v.right.aspects)];
        out.push(v.left.sx === 2 ? 'its time counts: ' + v.signal_time + ' s' :
          'no time counts (the left-hand kind is not 2)');
        return out;
      }
      case 'speed_board':
        return ['a: ' + speedSays(v.a), 'b: ' + speedSays(v.b), 'c: ' + speedSays(v.c),
          'stripes: ' + v.stripes.left + ' on the left, ' + v.stripes.right + ' on the right'];
      case 'slowdown_start':
      case 'slowdown_end':
      case 'slowdown_warning':
        return ['a slowdown to ' + v.speed_kmh + ' km/h' + (v.f_tt === 1 ?
          ', to be respected with the whole train' : v.f_tt === 0 ? ', not with the whole train' : '') +
          (v.d_v ? '; d_v ' + v.d_v : '')];
      case 'slowdown_announce':
        return ['announce cell ' + v.order + ' of 4 (' + (v.order === 1 ? 'nearest the warning' :
          v.order === 4 ? 'farthest from the warning' : 'between') + ')'];
      case 'code_cut':
        return ['cuts the code to ' + v.code];
      case 'station_stop':
        return ['the stop of ' + v.station + ' (station entry ' + v.entry + ')'];
      case 'signboard':
        return ['reads \u201c' + v.text + '\u201d (sign entry ' + v.entry + ')'];
      default:
        return [];
    }
  }

  // The whole metres p for which round(p / 50 + k), halves to even, is cell n.
  function writtenRange(n, k) {
    const lo = (n - k) * cellMetres - cellMetres / 2;
    const hi = (n - k) * cellMetres + cellMetres / 2;
    return n % 2 === 0 ? [lo, hi] : [lo + 1, hi - 1];
  }

  // Why a cell stands where it does: the compiler's placement rule for its kind.
  function placement(item) {
    const c = item.cell;
    if (!c) return null;
    const at = 'shown at ' + kmPosition(c.metres) + ', the start of cell ' + c.index + ' (cells of ' +
      cellMetres + ' m)';
    function from(k, what) {
      const r = writtenRange(c.index, k);
      return at + '; ' + what + ' lies in cell round(p / 50' + (k ? ' + ' + k : '') +
        '), halves to even: it was written at p from ' + r[0] + ' to ' + r[1] + ' m';
    }
    switch (c.kind_name) {
      case 'signal':
      case 'speed_board':
      case 'signboard':
      case 'slowdown_start':
        return from(1, 'a point feature at p');
      case 'slowdown_end':
        return from(1, 'the end of a slowdown at p (its start plus its length)');
      case 'code_cut':
      case 'code_cut_zero':
        // The compiler's own markers are code cuts too: this one may come from no record at all.
        return from(0, 'a code cut record at p') + '; unless the compiler placed it: it puts ' +
          'cuts of code 180 in free cells before the signals ahead of a slowdown warning, before ' +
          'a slowdown\u2019s start, inside it and after its end';
      case 'slowdown_warning':
        return at + '; the warning of a slowdown at x lies in cell round((x \u2212 1200) / 50 + 1)';
      case 'slowdown_announce':
        return at + '; the four announce cells of a slowdown at x lie in cells round((x \u2212 1200) / 50) and the three before it';
      case 'station_stop':
        return at + '; a station\u2019s stop lies in cell round(end / 50 \u2212 1), end the far end of its zone';
      case 'tunnel_marker':
        return at + '; a tunnel of type above 10 puts a marker in the 4th, 8th, 12th\u2026 cell ' +
          'from its first one, round(inizio / 50), each of them that is free';
      default:
        return at;
    }
  }

  // ---- The view: the stretch of the line shown ----

  const profileSvg = document.getElementById('profile');
  const planSvg = document.getElementById('plan');
  let LEFT = 112;
  const RIGHT = 16;
  let view = { from: 0, to: lengthM };
  let selectedKey = null;
  let plotWidth = 800;
  let planSize = { w: 800, h: 200 };

  function minSpan() {
    return Math.max(200, (profile ? data.profile.x_per_pixel.slice(-1)[0] : 0.2) * plotWidth);
  }

  // The stretch shown; a zoom or pan of the reader's own closes the tooltip it leaves behind.
  function setView(from, to, keepTip) {
    let span = Math.max(to - from, minSpan());
    span = Math.min(span, lengthM);
    let a = (from + to) / 2 - span / 2;
    a = Math.min(Math.max(a, 0), lengthM - span);
    view = { from: a, to: a + span };
    if (!keepTip) hideTip();
    scheduleRender();
  }

  function zoomAbout(m, factor) {
    setView(m - (m - view.from) * factor, m + (view.to - m) * factor);
  }

  let pending = false;
  function scheduleRender() {
    if (pending) return;
    pending = true;
    requestAnimationFrame(function () {
      pending = false;
      render();
    });
  }

  // ---- The profile ----

  const rows = {};
  let profileHeight = 0;
  const LANE_PX = 20;
  (function layout() {
    let y = 4;
    function row(name, h, gap) {
      rows[name] = { top: y, bottom: y + h, mid: y + h / 2 };
      y += h + (gap || 0);
    }
    row('names', 66, 2);
    row('elevation', profile ? profile.elevation.px : 0, 0);
    row('gradient', profile ? 22 : 0, 8);
    row('speed', profile ? profile.speed.px : 0, 8);
    row('curves', 40, 0);
    LANES.forEach(function (l) { row(l, LANE_PX, 0); });
    row('axis', 38, 0);
    profileHeight = y;
  })();
  profileSvg.setAttribute('height', profileHeight);
  profileSvg.style.height = profileHeight + 'px';
  if (!plan) planSvg.style.display = 'none';
  // Measured before the drawing holds thousands of elements, so the layout it needs is cheap.
  measure();

  const layers = {};
  ['adhesion', 'grid', 'series', 'stations', 'lanes', 'axis', 'names'].forEach(function (n) {
    layers[n] = el('g', { class: 'layer-' + n }, profileSvg);
  });
  const clip = el('clipPath', { id: 'plot-clip' }, el('defs', {}, profileSvg));
  const clipRect = el('rect', { x: LEFT, y: 0, width: 100, height: profileHeight }, clip);
  ['adhesion', 'series', 'stations', 'lanes', 'names', 'grid'].forEach(function (n) {
    layers[n].setAttribute('clip-path', 'url(#plot-clip)');
  });

  function xOf(m) {
    return LEFT + (m - view.from) / (view.to - view.from) * plotWidth;
  }

  function mOfX(x) {
    return view.from + (x - LEFT) / plotWidth * (view.to - view.from);
  }

  // Frames and names of the panels and lanes.
  const frames = el('g', { class: 'frames', 'aria-hidden': 'true' }, layers.axis);
  let framesWidth = null;
  function drawFrames() {
    // Drawn again only when the width changes.
    if (framesWidth === plotWidth + ',' + LEFT) return;
    framesWidth = plotWidth + ',' + LEFT;
    frames.textContent = '';
    const w = plotWidth;
    // A narrow screen has the short names.
    function frame(r, name, fill, short) {
      el('rect', { x: LEFT, y: r.top, width: w, height: r.bottom - r.top, fill: 'none',
        stroke: fill || '#999' }, frames);
      const t = el('text', { x: LEFT - 6, y: r.mid + 4, 'text-anchor': 'end', class: 'lane-name' },
        frames);
      t.textContent = short && LEFT < 112 ? short : name;
    }
    if (profile) {
      frame(rows.elevation, 'elevation (m)', null, 'height (m)');
      frame(rows.gradient, 'gradient (\u2030)');
      frame(rows.speed, 'speed limit (km/h)', null, 'speed (km/h)');
    }
    frame(rows.curves, 'curves (R m)');
    LANES.forEach(function (l) { frame(rows[l], l, '#ddd'); });
  }

  // The symbol of a cell's kind, centred on 0,0.
  function drawSymbol(g, kind) {
    switch (kind) {
      case 'signal':
        el('line', { x1: 0, y1: 8, x2: 0, y2: -1, stroke: '#222', 'stroke-width': 2 }, g);
        el('circle', { cx: 0, cy: -4, r: 4.5, fill: '#1d8a3a', stroke: '#0b3d18' }, g);
        break;
      case 'speed_board':
        el('rect', { x: -5, y: -7, width: 10, height: 14, fill: 'white', stroke: '#1f3f8a',
          'stroke-width': 2 }, g);
        break;
      case 'slowdown_warning':
        el('polygon', { points: '0,-8 7.5,6 -7.5,6', fill: '#f2c200', stroke: '#5a4500' }, g);
        break;
      case 'slowdown_announce':
        el('circle', { cx: 0, cy: 0, r: 3.5, fill: '#f7df6b', stroke: '#5a4500' }, g);
        break;
      case 'slowdown_start':
      case 'slowdown_end':
        el('rect', { x: -3, y: -8, width: 6, height: 16, fill: kind === 'slowdown_start' ?
          '#e67e22' : 'white', stroke: '#8a4a0c', 'stroke-width': 1.5 }, g);
        break;
      case 'code_cut':
      case 'code_cut_zero':
        el('polygon', { points: '0,-7 5.5,0 0,7 -5.5,0', fill: kind === 'code_cut' ? '#9b59d0' :
          'white', stroke: '#5b2a86', 'stroke-width': 1.5 }, g);
        break;
      case 'station_stop':
        el('circle', { cx: 0, cy: 0, r: 5, fill: '#3b7dd8', stroke: '#163e75' }, g);
        break;
      case 'signboard':
        el('rect', { x: -7, y: -5, width: 14, height: 9, fill: '#e8d5b0', stroke: '#6b4a1f' }, g);
        break;
      case 'tunnel_marker':
        el('rect', { x: -3, y: -6, width: 6, height: 12, fill: '#4a3a2a' }, g);
        break;
      default:
        el('path', { d: 'M-5,-5L5,5M-5,5L5,-5', stroke: '#666', 'stroke-width': 2 }, g);
    }
  }

  const SEVERITY_INK = { error: '#c0392b', warning: '#e67e22' };

  function gradientInk(g) {
    if (g === 0) return '#d5d5d5';
    const t = Math.min(Math.abs(g) / 30, 1);
    return g > 0 ? 'hsl(25,' + (40 + 40 * t) + '%,' + (78 - 30 * t) + '%)' :
      'hsl(200,' + (40 + 40 * t) + '%,' + (78 - 30 * t) + '%)';
  }

  // ---- Groups: the marks of one lane, drawn by level of detail ----
  //
  // At every render each group draws only what lies in view, and marks that fall within a few
  // pixels of each other are drawn as one mark with their count: the number of elements drawn
  // never exceeds what the width can show, whatever the length of the line. Every mark is
  // focusable; a lane is one tab stop, the arrows move along it by km.

  const POINT_CLUSTER_PX = 20;  // points closer than this are one mark
  const BAR_MIN_PX = 6;         // bars narrower than this join their neighbours...
  const BAR_CLUSTER_PX = 24;    // ...into marks at most this wide

  const groups = [];
  const groupOf = {};
  function addGroup(name, label, parent, draw) {
    const grp = { name: name, label: label, items: [], starts: [], maxLen: 0, marks: [],
      shown: [], pool: [], rovingKey: null, draw: draw };
    grp.g = el('g', { class: 'lane lane-' + name.replace(/ /g, '-'), role: 'group',
      'aria-label': label }, parent);
    groups.push(grp);
    groupOf[name] = grp;
    return grp;
  }
  addGroup('stations', 'stations, by km', layers.stations, 'band');
  addGroup('adhesion', 'poor adhesion stretches, by km', layers.adhesion, 'adhesion');
  if (profile) addGroup('gradient', 'gradient stretches, by km', layers.lanes, 'gradient');
  addGroup('curves', 'curves, by km', layers.lanes, 'curve');
  LANES.forEach(function (l) { addGroup(l, l + ', by km', layers.lanes, 'point'); });
  items.forEach(function (item) {
    if (item.placeless || !groupOf[item.lane]) return;
    const grp = item.bar && item.lane !== 'curves' && item.lane !== 'gradient' &&
      item.lane !== 'adhesion' ? barGroup(item.lane) : groupOf[item.lane];
    grp.items.push(item);
    item.group = grp;
  });
  // Bars of a lane that also holds points (slowdowns, tunnels) are a group of their own.
  function barGroup(lane) {
    const name = lane + ' stretches';
    if (!groupOf[name]) {
      const grp = addGroup(name, lane + ' from start to end, by km', layers.lanes, 'bar');
      grp.row = lane;
      // Drawn under the lane's points, and before them for the keys.
      layers.lanes.insertBefore(grp.g, groupOf[lane].g);
      groups.splice(groups.indexOf(grp), 1);
      groups.splice(groups.indexOf(groupOf[lane]), 0, grp);
    }
    return groupOf[name];
  }
  groups.forEach(function (grp) {
    grp.row = grp.row || grp.name;
    grp.items.sort(function (a, b) { return a.m - b.m; });
    grp.starts = grp.items.map(function (i) { return i.m; });
    // The extents apart, in typed arrays: the grouping of a render reads only these, and its
    // loop over the whole line stays fast before the code is optimised.
    grp.lows = Float64Array.from(grp.items, itemStart);
    grp.highs = Float64Array.from(grp.items, itemEnd);
    grp.items.forEach(function (i) {
      grp.maxLen = Math.max(grp.maxLen, (i.end !== undefined ? i.end : i.m) - i.m,
        i.start !== undefined ? i.m - i.start : 0);
    });
  });

  function itemEnd(item) {
    return item.end !== undefined ? item.end : item.m;
  }

  function itemStart(item) {
    return item.start !== undefined ? item.start : item.m;
  }

  // The element of one item, made the first time it is shown.
  function itemElement(item) {
    if (item.el) return item.el;
    const grp = item.group;
    const g = el('g', { class: 'mark ' + (grp.draw === 'point' ? 'feature kind-' + item.kind :
      grp.draw === 'band' ? 'station-band' : 'stretch ' + item.kind), 'data-key': item.key,
      role: 'button', tabindex: '-1', 'aria-label': ariaOf(item) }, grp.g);
    g.style.display = 'none';
    const r = rows[grp.row];
    if (grp.draw === 'band') {
      el('rect', { y: rows.elevation.top, height: rows.findings.bottom - rows.elevation.top,
        fill: '#3b7dd8', 'fill-opacity': 0.16 }, g);
      el('line', { y1: rows.names.bottom, y2: rows.findings.bottom, stroke: '#3b7dd8',
        'stroke-opacity': 0.7 }, g);
    } else if (grp.draw === 'adhesion') {
      el('rect', { y: rows.elevation.top, height: rows.speed.bottom - rows.elevation.top,
        fill: '#fbecbb' }, g);
    } else if (grp.draw === 'curve') {
      const c = item.curve;
      const h = 4 + c['class'] * 2.4;
      const right = c.side === 'right';
      el('rect', { y: right ? r.mid - h : r.mid, height: h,
        fill: 'hsl(' + (210 - c['class'] * 35) + ',70%,50%)' }, g);
      const t = el('text', { y: right ? r.mid - h - 2 : r.mid + h + 10, class: 'bar-label' }, g);
      t.textContent = 'R ' + c.radius_m + (right ? ' d' : ' s');
    } else if (grp.draw === 'gradient') {
      el('rect', { y: r.top + 1, height: r.bottom - r.top - 2, fill: gradientInk(item.value) }, g);
      const t = el('text', { y: r.mid + 4, class: 'bar-label' }, g);
      t.textContent = perMille(item.value);
    } else if (grp.draw === 'bar') {
      el('rect', { y: r.mid - 5, height: 10, fill: item.kind === 'tunnel' ? '#4a3a2a' : '#f0b27a',
        stroke: item.kind === 'tunnel' ? 'none' : '#8a4a0c' }, g);
    } else if (item.kind === 'finding') {
      el('polygon', { points: '0,-8 8,7 -8,7', fill: SEVERITY_INK[item.finding.severity] ||
        '#3b7dd8', stroke: '#222' }, g);
    } else {
      drawSymbol(g, item.kind);
    }
    if (item.key === selectedKey) g.classList.add('selected');
    item.el = g;
    return g;
  }

  function ariaOf(item) {
    const head = item.words.split('\n')[0];
    return item.kind === 'finding' ? head + ': ' + item.finding.message : head;
  }

  // Several items too close to tell apart: one mark with their count.
  function clusterWords(mark) {
    const grp = mark.group;
    const first = mark.items[0];
    const last = mark.items[mark.items.length - 1];
    let what = grp.name;
    if (grp.name === 'findings') {
      const errors = mark.items.filter(function (i) { return i.finding.severity === 'error'; }).length;
      what = 'findings (' + errors + ' errors, ' + (mark.items.length - errors) + ' warnings)';
    }
    return mark.items.length + ' ' + what + ' from ' + kmPosition(itemStart(first)) + ' to ' +
      kmPosition(Math.max.apply(null, mark.items.map(itemEnd))) +
      '\ntoo close together to tell apart at this zoom: click or press Enter to zoom in\n' +
      mark.items.slice(0, 6).map(function (i) { return kmText(i.m, 3) + ' km: ' + i.label; }).join('\n') +
      (mark.items.length > 6 ? '\n\u2026 and ' + (mark.items.length - 6) + ' more' : '');
  }

  function clusterElement(grp, k) {
    if (grp.pool[k]) return grp.pool[k];
    // Stations and adhesion span the panels: their count stands at the top.
    const r = rows[grp.row] || { mid: rows.elevation.top + 8 };
    const g = el('g', { class: 'mark cluster', role: 'button', tabindex: '-1',
      'data-cluster': grp.name }, grp.g);
    g.style.display = 'none';
    if (grp.draw === 'point') {
      el('rect', { x: -9, y: -8, width: 18, height: 16, rx: 4 }, g);
    } else if (grp.draw === 'band' || grp.draw === 'adhesion') {
      el('rect', { y: grp.draw === 'band' ? rows.elevation.top : rows.elevation.top,
        height: (grp.draw === 'band' ? rows.findings.bottom : rows.speed.bottom) -
          rows.elevation.top, fill: grp.draw === 'band' ? '#3b7dd8' : '#fbecbb',
        'fill-opacity': grp.draw === 'band' ? 0.16 : 1 }, g);
    } else {
      el('rect', { y: r.mid - 7, height: 14, rx: 3 }, g);
    }
    // A point cluster's group is moved onto the lane's middle; a bar cluster's stands at 0.
    const t = el('text', { y: grp.draw === 'point' ? 4 : r.mid + 4, 'text-anchor': 'middle',
      class: 'count' }, g);
    setText(t, '');
    grp.pool[k] = g;
    return g;
  }

  // The marks of a group in view: single items, or clusters of items too close to tell apart.
  function groupMarks(grp) {
    const marks = [];
    const lows = grp.lows;
    const highs = grp.highs;
    const from = view.from;
    const to = view.to;
    const point = grp.draw === 'point';
    const lo = upperBound(grp.starts, from - grp.maxLen - 1);
    for (let i = Math.max(lo - 1, 0); i < lows.length && lows[i] <= to; ++i) {
      if (highs[i] < from || lows[i] > to) continue;
      const item = grp.items[i];
      const x0 = xOf(lows[i]);
      const x1 = xOf(highs[i]);
      const last = marks[marks.length - 1];
      const joins = last && (point ? x0 - last.x0 < POINT_CLUSTER_PX :
        x1 - x0 < BAR_MIN_PX && last.x1 - last.x0 < BAR_MIN_PX * 4 &&
        (last.items.length > 1 || last.x1 - last.x0 < BAR_MIN_PX) && x1 - last.x0 <= BAR_CLUSTER_PX);
      if (joins) {
        last.items.push(item);
        last.x1 = Math.max(last.x1, x1);
      } else {
        marks.push({ group: grp, items: [item], x0: x0, x1: x1 });
      }
    }
    return marks;
  }

  let renderStamp = 0;
  function show(e, grp) {
    e._stamp = renderStamp;
    if (e._hidden !== false) {
      e.style.display = '';
      e._hidden = false;
    }
    grp.nextShown.push(e);
  }

  function placeItem(item, mark) {
    const e = itemElement(item);
    const grp = item.group;
    if (grp.draw === 'point') {
      setIf(e, 'transform', 'translate(' + mark.x0.toFixed(1) + ',' + rows[grp.row].mid + ')');
      return e;
    }
    const x0 = Math.max(mark.x0, LEFT - 4);
    const x1 = Math.min(mark.x1, LEFT + plotWidth + 4);
    const w = Math.max(x1 - x0, 2);
    const rect = e.firstChild;
    setIf(rect, 'x', x0.toFixed(1));
    setIf(rect, 'width', w.toFixed(1));
    if (grp.draw === 'band') {
      const x = xOf(item.m).toFixed(1);
      setIf(e.lastChild, 'x1', x);
      setIf(e.lastChild, 'x2', x);
    }
    const label = rect.nextSibling;
    if (label && label.tagName === 'text') {
      // Moved by a transform: a text whose x changes is laid out again, a moved one is not.
      setIf(label, 'transform', 'translate(' + (x0 + 2).toFixed(1) + ',0)');
      setIf(label, 'display', w > (grp.draw === 'gradient' ? 34 : 44) ? 'inline' : 'none');
    }
    return e;
  }

  function placeCluster(grp, k, mark) {
    const e = clusterElement(grp, k);
    e._mark = mark;
    const count = mark.items.length;
    const rect = e.firstChild;
    const text = e.lastChild;
    const worst = grp.name === 'findings' && mark.items.some(function (i) {
      return i.finding.severity === 'error';
    });
    if (grp.draw === 'point') {
      const x = (mark.x0 + mark.x1) / 2;
      setIf(e, 'transform', 'translate(' + x.toFixed(1) + ',' + rows[grp.row].mid + ')');
      setIf(rect, 'class', grp.name === 'findings' ? (worst ? 'error' : 'warning') : '');
    } else {
      const w = Math.max(mark.x1 - mark.x0, 3);
      setIf(rect, 'x', mark.x0.toFixed(1));
      setIf(rect, 'width', w.toFixed(1));
      setIf(text, 'transform', 'translate(' + (mark.x0 + w / 2).toFixed(1) + ',0)');
      setIf(text, 'display', w > 16 ? 'inline' : 'none');
    }
    // The count written whole, so that the mark's name holds what it shows; the box fits it.
    const shown = String(count);
    setText(text, shown);
    if (grp.draw === 'point') {
      const w = Math.max(18, 6 + 6 * shown.length);
      setIf(rect, 'x', String(-w / 2));
      setIf(rect, 'width', String(w));
    }
    setIf(e, 'data-count', String(count));
    // The words are made when asked for (focus, hover); the label names the count and the
    // stretch, and is written again only when they change.
    const first = mark.items[0];
    const last = mark.items[count - 1];
    if (e._labelFirst !== first || e._labelLast !== last || e._labelCount !== count) {
      e._labelFirst = first;
      e._labelLast = last;
      e._labelCount = count;
      e.setAttribute('aria-label', count + ' ' + grp.name + ' from ' +
        kmPosition(itemStart(first)) + ' to ' + kmPosition(itemEnd(last)));
    }
    return e;
  }

  // Attribute writes cost a restyle: only the changed ones are written.
  function setIf(e, name, value) {
    if (e.getAttribute(name) !== value) e.setAttribute(name, value);
  }

  // A changed text is written into the text node already there: a new node each render would
  // be garbage for the collector, whose pauses make the worst zoom steps.
  function setText(e, value) {
    const node = e.firstChild;
    if (!node) e.appendChild(document.createTextNode(value));
    else if (node.data !== value) node.data = value;
  }

  function renderGroup(grp) {
    grp.nextShown = [];
    const marks = groupMarks(grp);
    let pooled = 0;
    marks.forEach(function (mark) {
      mark.el = mark.items.length === 1 ? placeItem(mark.items[0], mark) :
        placeCluster(grp, pooled++, mark);
      mark.key = mark.items.length === 1 ? mark.items[0].key : null;
      show(mark.el, grp);
    });
    grp.shown.forEach(function (e) {
      if (e._stamp !== renderStamp) {
        e.style.display = 'none';
        e._hidden = true;
        setIf(e, 'tabindex', '-1');
      }
    });
    grp.shown = grp.nextShown;
    grp.marks = marks;
    rove(grp);
  }

  // One tab stop per lane: the mark nearest the km last visited in it, or the first in view.
  function rove(grp) {
    if (!grp.marks.length) return;
    let at = 0;
    if (grp.rovingM !== undefined) {
      let best = Infinity;
      grp.marks.forEach(function (mark, k) {
        const d = Math.abs(mark.items[0].m - grp.rovingM);
        if (d < best) {
          best = d;
          at = k;
        }
      });
    }
    grp.marks.forEach(function (mark, k) {
      setIf(mark.el, 'tabindex', k === at ? '0' : '-1');
    });
  }

  const findingLines = el('g', { class: 'finding-lines', 'aria-hidden': 'true' }, layers.grid);
  const routeEnd = el('line', { stroke: '#555', 'stroke-dasharray': '6 4', 'stroke-width': 1.5,
    class: 'route-end' }, layers.grid);

  const elevationPath = el('path', { fill: 'none', stroke: '#7a4a14', 'stroke-width': 2,
    'stroke-linejoin': 'round', class: 'elevation' }, layers.series);
  const speedPath = el('path', { fill: 'none', stroke: '#c0392b', 'stroke-width': 2,
    class: 'speed' }, layers.series);

  function seriesLevel() {
    const mpp = (view.to - view.from) / plotWidth;
    const levels = profile.x_per_pixel;
    for (let l = 0; l < levels.length; ++l) {
      if (levels[l] <= mpp) return l;
    }
    return levels.length - 1;
  }

  function seriesPath(series, level, yOf) {
    let d = '';
    series.pieces.forEach(function (piece) {
      const flat = piece[level];
      let started = false;
      for (let i = 0; i < flat.length; i += 2) {
        const m = flat[i];
        const next = i + 2 < flat.length ? flat[i + 2] : m;
        const prev = i >= 2 ? flat[i - 2] : m;
        if (next < view.from || prev > view.to) continue;
        d += (started ? 'L' : 'M') + xOf(m).toFixed(1) + ',' + yOf(flat[i + 1]).toFixed(1);
        started = true;
      }
    });
    return d;
  }

  function renderSeries() {
    if (!profile) return;
    const level = seriesLevel();
    const e = profile.elevation;
    const s = profile.speed;
    elevationPath.setAttribute('d', seriesPath(e, level, function (v) {
      return rows.elevation.bottom - (v - e.lo) / (e.hi - e.lo) * e.px;
    }));
    speedPath.setAttribute('d', seriesPath(s, level, function (v) {
      return rows.speed.bottom - (v - s.lo) / (s.hi - s.lo) * s.px;
    }));
  }

  const grid = el('g', { 'aria-hidden': 'true' }, layers.grid);
  const axis = el('g', { class: 'axis', 'aria-hidden': 'true' }, layers.axis);
  const axisTitle = el('text', { 'text-anchor': 'middle', class: 'axis-title' }, axis);
  axisTitle.textContent = 'distance along the track (km)';
  // The ticks are kept from one render to the next and only moved: made afresh each time, they
  // were most of the garbage a zoom left.
  const tickPools = { grid: pool(grid), axis: pool(axis), yGrid: pool(grid), yText: pool(grid) };

  // The elements of one kind of tick; take(k, name, attrs) gives the k-th, made the first time.
  function pool(parent) {
    const made = [];
    let used = 0;
    return {
      start: function () { used = 0; },
      take: function (name, attrs) {
        let e = made[used];
        if (!e) {
          e = made[used] = el(name, attrs, parent);
          e._shown = true;
        }
        if (!e._shown) {
          e.removeAttribute('display');
          e._shown = true;
        }
        ++used;
        return e;
      },
      end: function () {
        for (let k = used; k < made.length; ++k) {
          if (made[k]._shown) made[k].setAttribute('display', 'none');
          made[k]._shown = false;
        }
      }
    };
  }

  function renderYAxis(r, lo, hi, px) {
    const step = niceStep((hi - lo) / (px / 28));
    for (let v = Math.ceil(lo / step) * step; v <= hi; v += step) {
      const y = r.bottom - (v - lo) / (hi - lo) * px;
      const line = tickPools.yGrid.take('line', { stroke: '#eee' });
      setIf(line, 'x1', String(LEFT));
      setIf(line, 'x2', String(LEFT + plotWidth));
      setIf(line, 'y1', String(y));
      setIf(line, 'y2', String(y));
      const t = tickPools.yText.take('text', { class: 'tick' });
      setIf(t, 'x', String(LEFT + 4));
      setIf(t, 'y', String(y - 2));
      setText(t, String(Math.round(v * 100) / 100));
    }
  }

  function renderAxes() {
    for (const k in tickPools) tickPools[k].start();
    const mpp = (view.to - view.from) / plotWidth;
    // Labels at least 80 px apart, so that they never run into each other.
    const step = niceStep(mpp * 80);
    const decimals = step >= 1000 ? 0 : step >= 100 ? 1 : step >= 10 ? 2 : 3;
    for (let m = Math.ceil(view.from / step) * step; m <= view.to + 1e-6; m += step) {
      const x = 'translate(' + xOf(m).toFixed(1) + ',0)';
      setIf(tickPools.grid.take('line', { y1: rows.elevation.top, y2: rows.findings.bottom,
        stroke: '#ddd', 'stroke-dasharray': '2 3' }), 'transform', x);
      const tick = tickPools.axis.take('g', {});
      if (!tick.firstChild) {
        el('line', { y1: rows.axis.top, y2: rows.axis.top + 6, stroke: '#222' }, tick);
        el('text', { y: rows.axis.top + 18, 'text-anchor': 'middle', class: 'km-label' }, tick);
      }
      setIf(tick, 'transform', x);
      setText(tick.lastChild, (m / 1000).toFixed(decimals));
    }
    setIf(axisTitle, 'x', String(LEFT + plotWidth / 2));
    setIf(axisTitle, 'y', String(rows.axis.top + 33));
    if (profile) {
      renderYAxis(rows.elevation, profile.elevation.lo, profile.elevation.hi,
        profile.elevation.px);
      renderYAxis(rows.speed, profile.speed.lo, profile.speed.hi, profile.speed.px);
    }
    for (const k in tickPools) tickPools[k].end();
  }

  function inView(a, b) {
    return b >= view.from && a <= view.to;
  }

  // Station names, level, in as many tiers as the names row holds; a name finds the first tier
  // where it is clear of the one before, and is cut to what fits (whole in its tooltip).
  const NAME_TIERS = 4;
  const NAME_PX = 6.6;  // the width of a character of the names' font, at most
  const nameEls = groupOf.stations.items.map(function (item) {
    const t = el('text', { class: 'station-name', 'aria-hidden': 'true' }, layers.names);
    t.style.display = 'none';
    return { item: item, text: t };
  });
  function renderNames() {
    const tierEnd = new Array(NAME_TIERS).fill(-1e9);
    const tierPx = (rows.names.bottom - rows.names.top) / NAME_TIERS;
    nameEls.forEach(function (n, i) {
      const x = xOf(n.item.m);
      const nextX = i + 1 < nameEls.length ? xOf(nameEls[i + 1].item.m) : Infinity;
      let tier = -1;
      for (let k = 0; k < NAME_TIERS; ++k) {
        if (x >= tierEnd[k] + 6) {
          tier = k;
          break;
        }
      }
      if (!inView(n.item.m, n.item.m) || tier < 0) {
        if (n.text.style.display !== 'none') n.text.style.display = 'none';
        return;
      }
      // The room up to the edge, and on the lowest tiers up to the next station's name.
      const room = Math.min(LEFT + plotWidth - x, tier === NAME_TIERS - 1 ? Infinity : 
        Math.max(nextX - x, 60) * (NAME_TIERS - tier)) - 4;
      const chars = Math.max(Math.floor(room / NAME_PX), 3);
      const name = n.item.label;
      const text = name.length <= chars ? name : name.slice(0, chars - 1) + '\u2026';
      setText(n.text, text);
      tierEnd[tier] = x + text.length * NAME_PX;
      if (n.text.style.display) n.text.style.display = '';
      setIf(n.text, 'transform', 'translate(' + (x + 2).toFixed(1) + ',' +
        (rows.names.top + tierPx * (tier + 1) - 4).toFixed(1) + ')');
    });
  }

  // A faint line across the panels for each finding mark, in the ink of its worst finding.
  const lineEls = [];
  function renderFindingLines() {
    const grp = groupOf.findings;
    let k = 0;
    grp.marks.forEach(function (mark) {
      const x = ((mark.x0 + mark.x1) / 2).toFixed(1);
      const e = lineEls[k] || (lineEls[k] = el('line', { y1: rows.elevation.top,
        y2: rows.findings.top, 'stroke-opacity': 0.4 }, findingLines));
      const error = mark.items.some(function (i) { return i.finding.severity === 'error'; });
      setIf(e, 'stroke', error ? SEVERITY_INK.error : SEVERITY_INK.warning);
      setIf(e, 'x1', x);
      setIf(e, 'x2', x);
      if (e.style.display) e.style.display = '';
      ++k;
    });
    for (; k < lineEls.length; ++k) lineEls[k].style.display = 'none';
  }

  function renderItems() {
    const started = performance.now();
    ++renderStamp;
    groups.forEach(renderGroup);
    renderNames();
    renderFindingLines();
    if (routeEndM && routeEndM > 0 && routeEndM < lengthM && inView(routeEndM, routeEndM)) {
      const x = xOf(routeEndM).toFixed(1);
      if (routeEnd.hasAttribute('display')) routeEnd.removeAttribute('display');
      setIf(routeEnd, 'x1', x);
      setIf(routeEnd, 'x2', x);
      setIf(routeEnd, 'y1', String(rows.elevation.top));
      setIf(routeEnd, 'y2', String(rows.findings.bottom));
    } else {
      setIf(routeEnd, 'display', 'none');
    }
    itemsMs = performance.now() - started;
  }

  // ---- The plan ----

  const planLayers = {
    whole: el('path', { fill: 'none', stroke: '#b9c8dc', 'stroke-width': 2,
      'stroke-linejoin': 'round', class: 'whole-line' }, planSvg),
    shown: el('path', { fill: 'none', stroke: '#1f5fa8', 'stroke-width': 4,
      'stroke-linejoin': 'round', class: 'shown-stretch' }, planSvg),
    stations: el('g', { class: 'plan-stations' }, planSvg),
    marker: el('circle', { r: 9, fill: 'none', stroke: '#d0021b', 'stroke-width': 3,
      display: 'none', class: 'plan-marker' }, planSvg)
  };
  const runStarts = plan ? new Set(plan.runs) : new Set();

  // The indices of the points each level draws, made once a level: a render walks only those.
  const levelIndices = [];
  function indicesAt(level) {
    if (!levelIndices[level]) {
      const a = [];
      for (let i = 0; i < plan.m.length; ++i) {
        if (plan.level[i] <= level) a.push(i);
      }
      levelIndices[level] = a;
    }
    return levelIndices[level];
  }

  // The first position k in idx whose point lies at metre m or after.
  function firstFrom(idx, m) {
    let lo = 0;
    let hi = idx.length;
    while (lo < hi) {
      const mid = (lo + hi) >> 1;
      if (plan.m[idx[mid]] < m) lo = mid + 1;
      else hi = mid;
    }
    return lo;
  }

  // The point of metre m, interpolated between the points kept at the finest level.
  function planPoint(m) {
    if (!plan) return null;
    const i = upperBound(plan.m, m) - 1;
    if (i < 0) return null;
    if (plan.m[i] === m) return [plan.x[i] / 100, plan.y[i] / 100];
    if (i + 1 >= plan.m.length || runStarts.has(i + 1)) return null;
    const t = (m - plan.m[i]) / (plan.m[i + 1] - plan.m[i]);
    return [(plan.x[i] + t * (plan.x[i + 1] - plan.x[i])) / 100,
      (plan.y[i] + t * (plan.y[i + 1] - plan.y[i])) / 100];
  }

  // The box of the stretch shown, from every point kept within it.
  function stretchBox(from, to) {
    const box = { x0: Infinity, y0: Infinity, x1: -Infinity, y1: -Infinity };
    function add(p) {
      if (!p) return;
      box.x0 = Math.min(box.x0, p[0]);
      box.x1 = Math.max(box.x1, p[0]);
      box.y0 = Math.min(box.y0, p[1]);
      box.y1 = Math.max(box.y1, p[1]);
    }
    add(planPoint(from));
    add(planPoint(to));
    // The points of a level whose tolerance is a hundredth of the stretch or less: the box is
    // widened by a tenth anyway.
    let level = plan.tolerances.length - 1;
    while (level > 0 && plan.tolerances[level - 1] <= (to - from) / 100) --level;
    const idx = indicesAt(level);
    for (let k = firstFrom(idx, from); k < idx.length && plan.m[idx[k]] <= to; ++k) {
      add([plan.x[idx[k]] / 100, plan.y[idx[k]] / 100]);
    }
    return box.x0 <= box.x1 ? box : null;
  }

  let planFrame = null;  // {x0, y1, scale}: world to page

  function fitPlan(box, w, h) {
    const pad = 16;
    // Never finer than the finest level, so that the line drawn is within a pixel.
    const finest = plan.tolerances[plan.tolerances.length - 1];
    let bw = Math.max((box.x1 - box.x0) * 1.1, 50, finest * w);
    let bh = Math.max((box.y1 - box.y0) * 1.1, 50, finest * h);
    const scale = Math.min((w - 2 * pad) / bw, (h - 2 * pad) / bh);
    const cx = (box.x0 + box.x1) / 2;
    const cy = (box.y0 + box.y1) / 2;
    return { cx: cx, cy: cy, scale: scale, w: w, h: h };
  }

  function toPage(x, y) {
    return [planFrame.w / 2 + (x - planFrame.cx) * planFrame.scale,
      planFrame.h / 2 - (y - planFrame.cy) * planFrame.scale];
  }

  function planLevel() {
    const mpp = 1 / planFrame.scale;
    for (let l = 0; l < plan.tolerances.length; ++l) {
      if (plan.tolerances[l] <= mpp) return l;
    }
    return plan.tolerances.length - 1;
  }

  function pageText(p) {
    return p[0].toFixed(1) + ',' + p[1].toFixed(1);
  }

  // The stretch shown: the points kept at the level within it.
  function shownPath(level) {
    let d = '';
    let open = false;
    const idx = indicesAt(level);
    for (let k = firstFrom(idx, view.from); k < idx.length && plan.m[idx[k]] <= view.to; ++k) {
      const i = idx[k];
      if (runStarts.has(i)) open = false;
      d += (open ? 'L' : 'M') + pageText(toPage(plan.x[i] / 100, plan.y[i] / 100));
      open = true;
    }
    return d;
  }

  function renderPlan() {
    if (!plan) return;
    const w = planSize.w;
    const h = planSize.h;
    const box = stretchBox(view.from, view.to);
    if (!box) return;
    planFrame = fitPlan(box, w, h);
    const level = planLevel();
    planLayers.whole.setAttribute('d', wholePath(level));
    // The ends of the stretch fall between kept points: close them exactly.
    const a = planPoint(view.from);
    const b = planPoint(view.to);
    let shown = shownPath(level);
    if (a) shown = 'M' + pageText(toPage(a[0], a[1])) + shown.replace(/^M/, 'L');
    if (b) shown += (shown ? 'L' : 'M') + pageText(toPage(b[0], b[1]));
    planLayers.shown.setAttribute('d', shown);
    planSvg.setAttribute('data-from-m', Math.round(view.from));
    planSvg.setAttribute('data-to-m', Math.round(view.to));
    planSvg.setAttribute('data-level', level);
    renderPlanStations();
    renderPlanMarker();
    setText(document.getElementById('plan-caption'), '(the stretch ' +
      kmText(view.from, 2) + ' to ' + kmText(view.to, 2) + ' km highlighted; ' +
      (1 / planFrame.scale).toFixed(2) + ' m a pixel)');
  }

  // The whole line, faint, at the level for the scale, cut where it leaves the plan.
  function wholePath(level) {
    const w = planFrame.w;
    const h = planFrame.h;
    function outside(p) {
      return p[0] < -w || p[0] > 2 * w || p[1] < -h || p[1] > 2 * h;
    }
    let d = '';
    let prev = null;
    let prevOut = true;
    let penAtPrev = false;
    for (const i of indicesAt(level)) {
      if (runStarts.has(i)) {
        prev = null;
        penAtPrev = false;
      }
      const p = toPage(plan.x[i] / 100, plan.y[i] / 100);
      const out = outside(p);
      if (prev && !(prevOut && out)) {
        if (!penAtPrev) d += 'M' + pageText(prev);
        d += 'L' + pageText(p);
        penAtPrev = true;
      } else {
        penAtPrev = false;
      }
      prev = p;
      prevOut = out;
    }
    return d;
  }

  const planStationEls = [];
  items.forEach(function (item) {
    if (item.kind !== 'station' || !plan) return;
    const g = el('g', { class: 'plan-station', 'aria-hidden': 'true' }, planLayers.stations);
    el('circle', { r: 5, fill: 'white', stroke: '#b0182a', 'stroke-width': 2.5 }, g);
    const t = el('text', { x: 9, y: 4 }, g);
    t.textContent = item.label;
    g.setAttribute('data-key', item.key);
    planStationEls.push({ item: item, g: g, p: planPoint(item.m) });
  });

  function renderPlanStations() {
    const shown = planStationEls.filter(function (s) {
      if (!s.p) return false;
      const q = toPage(s.p[0], s.p[1]);
      s.q = q;
      return q[0] >= 0 && q[0] <= planFrame.w && q[1] >= 0 && q[1] <= planFrame.h;
    });
    // A name that would cover one already written is left to the tooltip.
    const taken = [];
    function free(box) {
      return taken.every(function (t) {
        return box[2] < t[0] || t[2] < box[0] || box[3] < t[1] || t[3] < box[1];
      });
    }
    planStationEls.forEach(function (s) {
      if (shown.indexOf(s) < 0) {
        setIf(s.g, 'display', 'none');
        return;
      }
      if (s.g.hasAttribute('display')) s.g.removeAttribute('display');
      setIf(s.g, 'transform', 'translate(' + s.q[0].toFixed(1) + ',' + s.q[1].toFixed(1) + ')');
      const box = [s.q[0] + 8, s.q[1] - 9, s.q[0] + 10 + s.item.label.length * 7, s.q[1] + 5];
      const named = free(box);
      if (named) taken.push(box);
      setIf(s.g.lastChild, 'display', named ? 'inline' : 'none');
    });
  }

  function renderPlanMarker() {
    const item = selectedKey === null ? null : byKey.get(selectedKey);
    const p = item ? planPoint(item.m) : null;
    if (!p) {
      planLayers.marker.setAttribute('display', 'none');
      return;
    }
    const q = toPage(p[0], p[1]);
    planLayers.marker.removeAttribute('display');
    planLayers.marker.setAttribute('cx', q[0].toFixed(1));
    planLayers.marker.setAttribute('cy', q[1].toFixed(1));
  }

  // ---- Render ----

  // The sizes of the two drawings, read only when the window changes: reading them after the
  // drawing changed would lay the whole page out once more.
  function measure() {
    const width = profileSvg.clientWidth || 900;
    LEFT = width < 560 ? 84 : 112;
    plotWidth = Math.max(width - LEFT - RIGHT, 100);
    planSize = { w: planSvg.clientWidth || 800, h: planSvg.clientHeight || 200 };
  }

  // ---- Ahead of the next zoom ----
  //
  // The first step to a span not shown before made the elements of its marks and ran its code
  // cold: it was the slowest step. When the page is idle, the marks of a step in, then of a step
  // out, about the middle are laid and the view's own laid back, each in one task: nothing of
  // it is painted, and the step itself finds its elements made.
  const AHEAD_FACTORS = [1 / 1.2, 1.2];
  const AHEAD_TRIES = 20;
  let ahead = { of: null, next: 0, tries: 0 };
  // The time of the last lay of the marks: an idle spell must hold two.
  let itemsMs = 0;

  // One step of the preparation, each in a task of its own; false once there is none left.
  function aheadStep() {
    if (pending || ahead.of !== view || ahead.next >= AHEAD_FACTORS.length) return false;
    const shown = view;
    const middle = (shown.from + shown.to) / 2;
    const f = AHEAD_FACTORS[ahead.next++];
    const span = Math.min(Math.max((shown.to - shown.from) * f, minSpan()), lengthM);
    const from = Math.min(Math.max(middle - span / 2, 0), lengthM - span);
    if (from !== shown.from || from + span !== shown.to) {
      view = { from: from, to: from + span };
      renderItems();
      view = shown;
      renderItems();
    }
    return true;
  }

  function prepareAhead(deadline) {
    // Too short an idle spell: it waits for a longer one rather than delay the next frame.
    if (deadline.timeRemaining() < 2 * itemsMs + 2) {
      if (!pending && ahead.of === view && ++ahead.tries < AHEAD_TRIES) {
        requestIdleCallback(prepareAhead);
      }
      return;
    }
    if (aheadStep()) requestIdleCallback(prepareAhead);
  }

  function scheduleAhead() {
    if (!window.requestIdleCallback || ahead.of === view) return;
    ahead = { of: view, next: 0, tries: 0 };
    requestIdleCallback(prepareAhead);
  }

  // Just after the first paint the page is seldom idle long enough, and the first zoom is the
  // one read cold: the steps are taken at once, one task each.
  function prepareAheadNow() {
    if (aheadStep()) setTimeout(prepareAheadNow, 0);
  }

  function render() {
    const started = performance.now();
    // Written only when changed: a clip changed repaints everything it clips.
    setIf(clipRect, 'x', String(LEFT));
    setIf(clipRect, 'width', String(plotWidth));
    drawFrames();
    renderAxes();
    renderSeries();
    renderItems();
    renderPlan();
    document.getElementById('from-km').value = kmText(view.from);
    document.getElementById('to-km').value = kmText(view.to);
    setText(document.getElementById('range-text'), 'showing ' + kmText(view.to - view.from, 2) +
      ' of ' + kmText(lengthM, 2) + ' km');
    profileSvg.setAttribute('data-from-m', Math.round(view.from));
    profileSvg.setAttribute('data-to-m', Math.round(view.to));
    if (tipFor !== null) placeTip(tipFor);
    profileSvg.setAttribute('data-render-ms', (performance.now() - started).toFixed(1));
    scheduleAhead();
  }

  // ---- Tooltips ----

  const tip = document.getElementById('tip');
  let tipFor = null;  // {item} or {mark}

  function tipLines(target) {
    if (target.mark) return clusterWords(target.mark).split('\n');
    const item = target.item;
    const lines = item.words.split('\n');
    const out = { head: lines[0], says: recordSays(item), where: placement(item),
      reference: lines.slice(1) };
    return out;
  }

  function showTip(target) {
    tipFor = target;
    const t = tipLines(target);
    tip.textContent = '';
    function block(cls, text) {
      const d = document.createElement('div');
      d.className = cls;
      d.textContent = text;
      tip.appendChild(d);
    }
    if (Array.isArray(t)) {
      block('head', t[0]);
      block('says', t.slice(1).join('\n'));
    } else {
      block('head', t.head);
      if (t.says.length) block('says', t.says.join('\n'));
      if (t.where) block('where', t.where);
      if (t.reference.length) block('reference', t.reference.join('\n'));
    }
    tip.hidden = false;
    placeTip(target);
  }

  // An item gathered into a mark with others has its tooltip by that mark.
  function targetElement(target) {
    if (target.mark) return target.mark.el;
    const item = target.item;
    if (item.el && item.el.style.display !== 'none') return item.el;
    const mark = item.group && item.group.marks.find(function (mk) {
      return mk.items.indexOf(item) >= 0;
    });
    return mark ? mark.el : item.el;
  }

  function placeTip(target) {
    const e = targetElement(target);
    if (!e || e.style.display === 'none' || !e.isConnected) {
      hideTip();
      return;
    }
    const r = e.getBoundingClientRect();
    const w = tip.offsetWidth;
    const h = tip.offsetHeight;
    let x = r.right + 10;
    if (x + w > window.innerWidth - 4) x = Math.max(4, r.left - w - 10);
    let y = r.top - h - 8;
    if (y < 4) y = r.bottom + 8;
    tip.style.left = x + 'px';
    tip.style.top = y + 'px';
  }

  function hideTip() {
    tipFor = null;
    // Every zoom hides it: an attribute written again would restyle it each time.
    if (!tip.hidden) tip.hidden = true;
  }

  function itemOf(target) {
    const e = target && target.closest ? target.closest('[data-key]') : null;
    return e ? byKey.get(e.getAttribute('data-key')) : null;
  }

  function markOf(target) {
    const e = target && target.closest ? target.closest('[data-cluster]') : null;
    return e ? e._mark : null;
  }

  function tipTargetOf(node) {
    const item = itemOf(node);
    if (item) return { item: item };
    const mark = markOf(node);
    return mark ? { mark: mark } : null;
  }

  [profileSvg, planSvg].forEach(function (svg) {
    svg.addEventListener('mouseover', function (ev) {
      const t = tipTargetOf(ev.target);
      if (t) showTip(t);
    });
    svg.addEventListener('mouseout', function (ev) {
      if (tipTargetOf(ev.target) && !tipTargetOf(ev.relatedTarget || document.body)) hideTip();
    });
    svg.addEventListener('focusin', function (ev) {
      const t = tipTargetOf(ev.target);
      if (t) showTip(t);
    });
    svg.addEventListener('focusout', hideTip);
    svg.addEventListener('click', function (ev) {
      if (dragMoved) return;
      const t = tipTargetOf(ev.target);
      // A tap on a phone has no hover: the click opens the tooltip too.
      if (t && t.item) {
        select(t.item);
        showTip(t);
      }
      if (t && t.mark) zoomToMark(t.mark);
    });
  });
  document.addEventListener('keydown', function (ev) {
    if (ev.key === 'Escape') hideTip();
  });

  function zoomToMark(mark) {
    const a = itemStart(mark.items[0]);
    const b = Math.max.apply(null, mark.items.map(itemEnd));
    const pad = Math.max((b - a) * 0.1, 100);
    mark.group.rovingM = mark.items[0].m;
    setView(a - pad, b + pad);
  }

  // ---- Going to an item ----

  function select(item) {
    if (selectedKey !== null) {
      const old = byKey.get(selectedKey);
      if (old && old.el) old.el.classList.remove('selected');
      if (old && old.li) old.li.classList.remove('selected');
    }
    selectedKey = item.key;
    if (item.el) item.el.classList.add('selected');
    if (item.li) item.li.classList.add('selected');
    if (item.group) item.group.rovingM = item.m;
    renderPlanMarker();
  }

  function goTo(item) {
    if (item.placeless) {
      select(item);
      return;
    }
    const start = itemStart(item);
    const end = itemEnd(item);
    const span = Math.min(Math.max(end - start + 2000, 3000), lengthM);
    setView((start + end) / 2 - span / 2, (start + end) / 2 + span / 2, true);
    select(item);
    requestAnimationFrame(function () {
      if (item.el) item.el.classList.add('selected');
      showTip({ item: item });
    });
  }

  // ---- The side list: one tab stop, the arrows move in it ----

  const list = document.getElementById('list');
  const search = document.getElementById('search');
  const sorted = items.slice().sort(function (a, b) { return a.m - b.m; });
  const LIST_LIMIT = 400;
  let matches = [];

  function renderList() {
    const q = search.value.trim().toLowerCase();
    // Unsearched, the list holds every station and as many findings as the list has room for; a
    // search reaches everything.
    let note = '';
    const listed = sorted.filter(function (item) { return item.kind !== 'gradient'; });
    if (!q) {
      const listedStations = listed.filter(function (item) { return item.kind === 'station'; });
      const allFindings = listed.filter(function (item) { return item.kind === 'finding'; });
      const listedFindings = allFindings.slice(0, Math.max(LIST_LIMIT - listedStations.length, 0));
      const keep = new Set(listedStations.concat(listedFindings));
      matches = listed.filter(function (item) { return keep.has(item); });
      note = listedStations.length + ' stations, ' + (listedFindings.length < allFindings.length ?
        listedFindings.length + ' of ' : '') + allFindings.length + ' findings; type to search all ' +
        items.length + ' items';
    } else {
      matches = sorted.filter(function (item) {
        if (!item.search) {
          item.search = (kmText(item.m) + ' ' + item.label + ' ' + item.kind).toLowerCase();
        }
        return item.search.indexOf(q) >= 0;
      });
      note = matches.length + (matches.length === 1 ? ' match' : ' matches') +
        (matches.length > LIST_LIMIT ? ', the first ' + LIST_LIMIT + ' listed' : '');
    }
    list.textContent = '';
    matches.slice(0, LIST_LIMIT).forEach(function (item, i) {
      const li = document.createElement('li');
      li.tabIndex = i === 0 ? 0 : -1;
      li.setAttribute('role', 'option');
      li.setAttribute('aria-selected', item.key === selectedKey ? 'true' : 'false');
      li.className = 'kind-' + item.kind + (item.key === selectedKey ? ' selected' : '');
      li.setAttribute('data-key', item.key);
      const k = document.createElement('span');
      k.className = 'km';
      k.textContent = item.placeless ? '\u2014' : kmText(item.m, 3);
      li.appendChild(k);
      li.appendChild(document.createTextNode(item.label));
      li.title = item.words;
      item.li = li;
      list.appendChild(li);
    });
    document.getElementById('list-count').textContent = note;
  }

  function moveInList(from, step) {
    const all = Array.prototype.slice.call(list.children);
    const at = all.indexOf(from);
    const to = all[Math.min(Math.max(at + step, 0), all.length - 1)];
    if (!to || to === from) return;
    from.tabIndex = -1;
    to.tabIndex = 0;
    to.focus();
  }

  list.addEventListener('click', function (ev) {
    const item = itemOf(ev.target);
    if (item) goTo(item);
  });
  list.addEventListener('keydown', function (ev) {
    const li = ev.target.closest('li');
    if (!li) return;
    const steps = { ArrowDown: 1, ArrowUp: -1, PageDown: 10, PageUp: -10, Home: -1e9, End: 1e9 };
    if (ev.key in steps) {
      moveInList(li, steps[ev.key]);
      ev.preventDefault();
    } else if (ev.key === 'Enter' || ev.key === ' ') {
      const item = itemOf(li);
      if (item) goTo(item);
      ev.preventDefault();
    }
  });
  search.addEventListener('input', renderList);
  search.addEventListener('keydown', function (ev) {
    if (ev.key === 'Enter' && matches.length > 0) goTo(matches[0]);
    if (ev.key === 'ArrowDown' && list.firstChild) {
      list.firstChild.focus();
      ev.preventDefault();
    }
  });

  // ---- Zoom and pan ----

  profileSvg.addEventListener('wheel', function (ev) {
    ev.preventDefault();
    const rect = profileSvg.getBoundingClientRect();
    const m = mOfX(ev.clientX - rect.left);
    const dy = ev.deltaMode === 1 ? ev.deltaY * 33 : ev.deltaY;
    zoomAbout(Math.min(Math.max(m, 0), lengthM), Math.pow(1.0015, dy));
  }, { passive: false });

  let drag = null;
  let dragMoved = false;
  profileSvg.addEventListener('pointerdown', function (ev) {
    if (ev.button !== 0) return;
    drag = { x: ev.clientX, from: view.from, to: view.to, id: ev.pointerId };
    dragMoved = false;
  });
  profileSvg.addEventListener('pointermove', function (ev) {
    if (!drag) return;
    const dx = ev.clientX - drag.x;
    if (!dragMoved && Math.abs(dx) < 3) return;
    if (!dragMoved) {
      dragMoved = true;
      profileSvg.setPointerCapture(drag.id);
      profileSvg.classList.add('dragging');
    }
    const shift = -dx * (drag.to - drag.from) / plotWidth;
    setView(drag.from + shift, drag.to + shift);
  });
  function endDrag() {
    drag = null;
    profileSvg.classList.remove('dragging');
  }
  profileSvg.addEventListener('pointerup', endDrag);
  profileSvg.addEventListener('pointercancel', endDrag);

  function reset() {
    setView(0, lengthM);
  }

  // Focus to a mark of a group, after the render that shows it.
  function focusMark(grp, m) {
    grp.rovingM = m;
    requestAnimationFrame(function () {
      rove(grp);
      const mark = grp.marks.find(function (mk) { return mk.el.getAttribute('tabindex') === '0'; });
      if (mark) mark.el.focus();
    });
  }

  // On a mark: the arrows go along its lane by km (beyond the stretch shown, the view follows),
  // up and down to the lanes above and below; Enter or Space selects it, or zooms into a cluster.
  function markKey(ev, node) {
    const t = tipTargetOf(node);
    const grp = t.item ? t.item.group : t.mark.group;
    const at = grp.marks.findIndex(function (mk) { return mk.el === node; });
    if (ev.key === 'Enter' || ev.key === ' ') {
      if (t.item) {
        select(t.item);
        showTip(t);
      } else {
        zoomToMark(t.mark);
        focusMark(grp, t.mark.items[0].m);
      }
      return true;
    }
    if (ev.key === 'ArrowRight' || ev.key === 'ArrowLeft') {
      const step = ev.key === 'ArrowRight' ? 1 : -1;
      const next = grp.marks[at + step];
      if (next) {
        node.setAttribute('tabindex', '-1');
        next.el.setAttribute('tabindex', '0');
        grp.rovingM = next.items[0].m;
        next.el.focus();
        return true;
      }
      // The next item beyond the stretch shown: the view moves to it.
      const edge = step > 0 ? grp.marks[at].items[grp.marks[at].items.length - 1] :
        grp.marks[at].items[0];
      const i = grp.items.indexOf(edge) + step;
      const item = grp.items[i];
      if (!item) return true;
      const span = view.to - view.from;
      setView(item.m - span / 2, item.m + span / 2);
      focusMark(grp, item.m);
      return true;
    }
    if (ev.key === 'ArrowUp' || ev.key === 'ArrowDown') {
      const shown = groups.filter(function (g) { return g.marks.length && g.draw !== 'adhesion'; });
      const other = shown[shown.indexOf(grp) + (ev.key === 'ArrowDown' ? 1 : -1)];
      if (!other) return true;
      const x = at >= 0 ? grp.marks[at].x0 : LEFT;
      let best = other.marks[0];
      other.marks.forEach(function (mk) {
        if (Math.abs(mk.x0 - x) < Math.abs(best.x0 - x)) best = mk;
      });
      other.rovingM = best.items[0].m;
      rove(other);
      best.el.focus();
      return true;
    }
    if (ev.key === 'Home' || ev.key === 'End') {
      const mark = grp.marks[ev.key === 'Home' ? 0 : grp.marks.length - 1];
      grp.rovingM = mark.items[0].m;
      rove(grp);
      mark.el.focus();
      return true;
    }
    return false;
  }

  profileSvg.addEventListener('keydown', function (ev) {
    const node = ev.target.closest && ev.target.closest('.mark');
    if (node && markKey(ev, node)) {
      ev.preventDefault();
      return;
    }
    const span = view.to - view.from;
    const middle = (view.from + view.to) / 2;
    let done = true;
    switch (ev.key) {
      case '+':
      case '=':
        zoomAbout(middle, 1 / 1.5);
        break;
      case '-':
      case '_':
        zoomAbout(middle, 1.5);
        break;
      case 'ArrowLeft':
        setView(view.from - span / 5, view.to - span / 5);
        break;
      case 'ArrowRight':
        setView(view.from + span / 5, view.to + span / 5);
        break;
      case '0':
      case 'Home':
        reset();
        break;
      default:
        done = false;
    }
    if (done) ev.preventDefault();
  });

  function showRange() {
    const a = parseFloat(document.getElementById('from-km').value);
    const b = parseFloat(document.getElementById('to-km').value);
    if (isFinite(a) && isFinite(b) && b > a) setView(a * 1000, b * 1000);
  }
  document.getElementById('show-range').addEventListener('click', showRange);
  ['from-km', 'to-km'].forEach(function (id) {
    document.getElementById(id).addEventListener('keydown', function (ev) {
      if (ev.key === 'Enter') showRange();
    });
  });
  document.getElementById('reset').addEventListener('click', reset);
  document.getElementById('zoom-in').addEventListener('click', function () {
    zoomAbout((view.from + view.to) / 2, 1 / 1.5);
  });
  document.getElementById('zoom-out').addEventListener('click', function () {
    zoomAbout((view.from + view.to) / 2, 1.5);
  });
  document.getElementById('skip').addEventListener('click', function (ev) {
    ev.preventDefault();
    profileSvg.focus();
  });
  window.addEventListener('resize', function () {
    measure();
    scheduleRender();
  });

  // ---- Title, summary, legend ----

  document.getElementById('title').textContent = data.title;
  const counts = report.cell_counts || {};
  const cellCount = report.route ? report.route.cell_count : Math.round(lengthM / cellMetres);
  const beyond = routeEndM ? lengthM - routeEndM : 0;
  const summary = [kmText(lengthM, 3) + ' km of track' + (routeEndM ? ' (' + cellCount +
    ' cells of ' + cellMetres + ' m): the route\u2019s ' + kmText(routeEndM, 3) + ' km, then ' +
    kmText(beyond, 3) + ' km the compiler lays past its end, where the dashed line stands' : ''),
  stations.length + ' stations', (counts.signal || 0) + ' signals', curves.length + ' curves',
  cells.length + ' occupied cells', findings.length + ' findings'];
  if (!plan) summary.push('no line file: no plan');
  if (!profile) summary.push('no track file: no elevation, speed or features');
  document.getElementById('summary').textContent = summary.join(' \u00b7 ');
  if (routeEndM) {
    const t = el('title', {}, routeEnd);
    t.textContent = 'the end of the route, ' + kmPosition(routeEndM) + ': the track runs on ' +
      kmText(beyond, 3) + ' km past it (a route of length L gives cells 0 to round((L + 7000) / 50))';
  }

  const legend = document.getElementById('legend');
  [['#7a4a14', 'elevation, added up from 0 m'],
    [gradientInk(12), 'gradient rising (\u2030, darker: steeper)'],
    [gradientInk(-12), 'gradient falling'], ['#c0392b', 'line speed limit'],
    ['#3b7dd8', 'station zone'], ['#fbecbb', 'poor adhesion'],
    ['hsl(70,70%,50%)', 'curve (above: right, below: left; taller: sharper)'],
    ['#f0b27a', 'slowdown, start to end'], ['#4a3a2a', 'tunnel'],
    [SEVERITY_INK.error, 'error of check'], [SEVERITY_INK.warning, 'warning of check'],
    ['#eef1f6', '12: that many marks too close to tell apart (Enter or click zooms in)', 'cluster'],
    ['', 'the end of the route' + (routeEndM ? ', ' + kmPosition(routeEndM) + '; the track runs ' +
      kmText(beyond, 3) + ' km on past it' : ''), 'dashed'],
    ['#1f5fa8', 'plan: the stretch shown']].forEach(function (k) {
    const s = document.createElement('span');
    const key = document.createElement('span');
    key.className = 'key' + (k[2] ? ' ' + k[2] : '');
    if (k[0]) key.style.background = k[0];
    s.appendChild(key);
    s.appendChild(document.createTextNode(k[1]));
    legend.appendChild(s);
  });

  renderList();
  render();
  // The times, from the start of the navigation: the script starting (the page read), the drawing
  // done, and the first frame with the drawing on the screen.
  const root = document.documentElement;
  root.setAttribute('data-script-start-ms', scriptStart.toFixed(1));
  root.setAttribute('data-drawn-ms', performance.now().toFixed(1));
  requestAnimationFrame(function () {
    requestAnimationFrame(function () {
      root.setAttribute('data-first-paint-ms', performance.now().toFixed(1));
      setTimeout(prepareAheadNow, 0);
    });
  });
})();
