// The page of `scenario_tool view`: the plan and the profile of one scenario, linked. The profile
// sets the stretch shown (wheel, drag, keys, the km boxes); the plan follows it and highlights it.
// Everything is drawn from the JSON in #scenario-data, which the tool writes: the report of
// `inspect --json --cells`, the features worded as the format reference words them, and the
// centre line and series with their levels of detail.
(function () {
  'use strict';

  const SVGNS = 'http://www.w3.org/2000/svg';
  const scriptStart = performance.now();
  const data = JSON.parse(document.getElementById('scenario-data').textContent);
  const report = data.report;
  const lengthM = Math.max(data.length_m, 1);
  const cells = report.cells || [];
  const stations = report.stations || [];
  const plan = data.plan;
  const profile = data.profile;
  const curves = data.curves ? data.curves.stretches : [];
  const findings = data.findings || [];

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

  // ---- The items: every feature, station, stretch and finding, each with its words ----

  const items = [];   // {key, kind, m, end, label, words, lane, cell}
  const byKey = new Map();
  function addItem(item) {
    item.key = String(items.length);
    items.push(item);
    byKey.set(item.key, item);
    return item;
  }

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
      words: data.station_words[i], station: s
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
        ', radius ' + c.radius_m + ' m', words: c.words + '\n' + data.curve_words, curve: c
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

  // A short hint of what a feature holds, for the side list: the name of a station stop or the
  // inscription of a sign.
  function lineAfterHeading(words) {
    const lines = words.split('\n');
    const last = lines[lines.length - 1];
    const dash = last.lastIndexOf(' \u2014 ');
    if (lines.length === 4 && dash >= 0) return ': ' + last.slice(dash + 3);
    return '';
  }

  // ---- The view: the stretch of the line shown ----

  const profileSvg = document.getElementById('profile');
  const planSvg = document.getElementById('plan');
  const LEFT = 112;
  const RIGHT = 16;
  let view = { from: 0, to: lengthM };
  let selectedKey = null;
  let plotWidth = 800;
  let planSize = { w: 800, h: 260 };

  function minSpan() {
    return Math.max(200, (profile ? data.profile.x_per_pixel.slice(-1)[0] : 0.2) * plotWidth);
  }

  function setView(from, to) {
    let span = Math.max(to - from, minSpan());
    span = Math.min(span, lengthM);
    let a = (from + to) / 2 - span / 2;
    a = Math.min(Math.max(a, 0), lengthM - span);
    view = { from: a, to: a + span };
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
  (function layout() {
    let y = 4;
    function row(name, h, gap) {
      rows[name] = { top: y, bottom: y + h, mid: y + h / 2 };
      y += h + (gap || 0);
    }
    row('names', 84, 2);
    row('elevation', profile ? profile.elevation.px : 0, 10);
    row('speed', profile ? profile.speed.px : 0, 10);
    row('curves', 40, 0);
    LANES.forEach(function (l) { row(l, 22, 0); });
    row('axis', 40, 0);
    profileHeight = y;
  })();
  profileSvg.setAttribute('height', profileHeight);
  profileSvg.style.height = profileHeight + 'px';
  if (!plan) planSvg.style.display = 'none';
  // Measured before the drawing holds thousands of elements, so the layout it needs is cheap.
  measure();

  const layers = {};
  ['adhesion', 'bands', 'grid', 'series', 'stretches', 'features', 'axis', 'names'].forEach(function (n) {
    layers[n] = el('g', { class: 'layer-' + n }, profileSvg);
  });
  const clip = el('clipPath', { id: 'plot-clip' }, el('defs', {}, profileSvg));
  const clipRect = el('rect', { x: LEFT, y: 0, width: 100, height: profileHeight }, clip);
  ['adhesion', 'bands', 'series', 'stretches', 'features', 'names', 'grid'].forEach(function (n) {
    layers[n].setAttribute('clip-path', 'url(#plot-clip)');
  });

  function xOf(m) {
    return LEFT + (m - view.from) / (view.to - view.from) * plotWidth;
  }

  function mOfX(x) {
    return view.from + (x - LEFT) / plotWidth * (view.to - view.from);
  }

  // Frames and names of the panels and lanes, drawn once.
  const frames = el('g', { class: 'frames' }, layers.axis);
  function drawFrames() {
    frames.textContent = '';
    const w = plotWidth;
    function frame(r, name, fill) {
      el('rect', { x: LEFT, y: r.top, width: w, height: r.bottom - r.top, fill: 'none',
        stroke: fill || '#999' }, frames);
      const t = el('text', { x: LEFT - 6, y: r.mid + 4, 'text-anchor': 'end', class: 'lane-name' },
        frames);
      t.textContent = name;
    }
    if (profile) {
      frame(rows.elevation, 'elevation (m)');
      frame(rows.speed, 'speed limit (km/h)');
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

  // Every item gets its element once; render moves them and hides those out of view.
  const featureEls = [];
  const stretchEls = [];
  const bandEls = [];
  const nameEls = [];
  function tag(e, item) {
    e.setAttribute('data-key', item.key);
    e.setAttribute('tabindex', '0');
    e.setAttribute('aria-label', item.words.split('\n')[0]);
    item.el = e;
  }
  items.forEach(function (item) {
    if (item.kind === 'station') {
      const g = el('g', { class: 'station-band' }, layers.bands);
      el('rect', { y: rows.elevation.top, height: rows.findings.bottom - rows.elevation.top,
        fill: '#3b7dd8', 'fill-opacity': 0.16 }, g);
      el('line', { y1: rows.names.bottom, y2: rows.findings.bottom, stroke: '#3b7dd8',
        'stroke-opacity': 0.7 }, g);
      tag(g, item);
      bandEls.push(item);
      const t = el('text', { class: 'station-name' }, layers.names);
      t.textContent = item.label.length > 22 ? item.label.slice(0, 21) + '\u2026' : item.label;
      nameEls.push({ item: item, text: t });
    } else if (item.kind === 'curve') {
      const c = item.curve;
      const h = 4 + c['class'] * 2.4;
      const right = c.side === 'right';
      const g = el('g', { class: 'stretch curve' }, layers.stretches);
      el('rect', { y: right ? rows.curves.mid - h : rows.curves.mid, height: h,
        fill: 'hsl(' + (210 - c['class'] * 35) + ',70%,50%)' }, g);
      const t = el('text', { y: right ? rows.curves.mid - h - 2 : rows.curves.mid + h + 10,
        'font-size': 10, fill: '#333' }, g);
      t.textContent = 'R ' + c.radius_m + (right ? ' d' : ' s');
      tag(g, item);
      stretchEls.push(item);
    } else if (item.bar) {
      const g = el('g', { class: 'stretch ' + item.kind }, layers.stretches);
      const r = rows[item.lane];
      el('rect', { y: r.mid - 5, height: 10, fill: item.kind === 'tunnel' ? '#4a3a2a' : '#f0b27a',
        stroke: item.kind === 'tunnel' ? 'none' : '#8a4a0c' }, g);
      tag(g, item);
      stretchEls.push(item);
    } else if (!item.placeless) {
      const g = el('g', { class: 'feature kind-' + item.kind }, layers.features);
      if (item.kind === 'finding') {
        el('polygon', { points: '0,-8 8,7 -8,7', fill: SEVERITY_INK[item.finding.severity] ||
          '#3b7dd8', stroke: '#222' }, g);
      } else {
        drawSymbol(g, item.kind);
      }
      tag(g, item);
      featureEls.push(item);
    }
  });
  (data.poor_adhesion || []).forEach(function (s) {
    const item = addItem({ kind: 'adhesion', m: s.start_m, end: s.end_m, label: 'poor adhesion',
      words: s.words });
    const g = el('g', { class: 'stretch adhesion' }, layers.adhesion);
    el('rect', { y: rows.elevation.top, height: rows.speed.bottom - rows.elevation.top,
      fill: '#fbecbb' }, g);
    tag(g, item);
    stretchEls.push(item);
  });

  const finding_lines = el('g', { class: 'finding-lines' }, layers.grid);
  const routeEnd = el('line', { stroke: '#555', 'stroke-dasharray': '6 4', 'stroke-width': 1.5 },
    layers.grid);

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

  function renderYAxis(g, r, lo, hi, px) {
    const step = niceStep((hi - lo) / (px / 28));
    for (let v = Math.ceil(lo / step) * step; v <= hi; v += step) {
      const y = r.bottom - (v - lo) / (hi - lo) * px;
      el('line', { x1: LEFT, x2: LEFT + plotWidth, y1: y, y2: y, stroke: '#eee' }, g);
      const t = el('text', { x: LEFT + 4, y: y - 2, 'font-size': 10, fill: '#777' }, g);
      t.textContent = String(Math.round(v * 100) / 100);
    }
  }

  const grid = el('g', {}, layers.grid);
  const axis = el('g', { class: 'axis' }, layers.axis);
  function renderAxes() {
    grid.textContent = '';
    axis.textContent = '';
    const mpp = (view.to - view.from) / plotWidth;
    // Labels at least 80 px apart, so that they never run into each other.
    const step = niceStep(mpp * 80);
    const decimals = step >= 1000 ? 0 : step >= 100 ? 1 : step >= 10 ? 2 : 3;
    for (let m = Math.ceil(view.from / step) * step; m <= view.to + 1e-6; m += step) {
      const x = xOf(m);
      el('line', { x1: x, x2: x, y1: rows.elevation.top, y2: rows.findings.bottom,
        stroke: '#ddd', 'stroke-dasharray': '2 3' }, grid);
      el('line', { x1: x, x2: x, y1: rows.axis.top, y2: rows.axis.top + 6, stroke: '#222' }, axis);
      const t = el('text', { x: x, y: rows.axis.top + 18, 'text-anchor': 'middle',
        class: 'km-label' }, axis);
      t.textContent = (m / 1000).toFixed(decimals);
    }
    const title = el('text', { x: LEFT + plotWidth / 2, y: rows.axis.top + 34,
      'text-anchor': 'middle', class: 'axis-title' }, axis);
    title.textContent = 'distance along the track (km)';
    if (profile) {
      renderYAxis(grid, rows.elevation, profile.elevation.lo, profile.elevation.hi,
        profile.elevation.px);
      renderYAxis(grid, rows.speed, profile.speed.lo, profile.speed.hi, profile.speed.px);
    }
  }

  function inView(a, b) {
    return b >= view.from && a <= view.to;
  }

  // Shows the element when its stretch of the line is in view, hides it otherwise.
  function showIfInView(el, a, b) {
    if (!inView(a, b)) {
      el.setAttribute('display', 'none');
      return false;
    }
    el.removeAttribute('display');
    return true;
  }

  function renderItems() {
    featureEls.forEach(function (item) {
      if (!showIfInView(item.el, item.m, item.m)) return;
      item.el.setAttribute('transform', 'translate(' + xOf(item.m).toFixed(1) + ',' +
        rows[item.lane].mid + ')');
    });
    stretchEls.forEach(function (item) {
      if (!showIfInView(item.el, item.m, item.end)) return;
      const x0 = xOf(item.m);
      const w = Math.max(xOf(item.end) - x0, 2);
      const rect = item.el.firstChild;
      rect.setAttribute('x', x0.toFixed(1));
      rect.setAttribute('width', w.toFixed(1));
      const label = rect.nextSibling;
      if (label) {
        label.setAttribute('x', (Math.max(x0, LEFT) + 2).toFixed(1));
        label.setAttribute('display', w > 44 ? 'inline' : 'none');
      }
    });
    bandEls.forEach(function (item) {
      if (!showIfInView(item.el, item.start, item.end)) return;
      const x0 = xOf(item.start);
      item.el.firstChild.setAttribute('x', x0.toFixed(1));
      item.el.firstChild.setAttribute('width', Math.max(xOf(item.end) - x0, 2).toFixed(1));
      const x = xOf(item.m).toFixed(1);
      item.el.lastChild.setAttribute('x1', x);
      item.el.lastChild.setAttribute('x2', x);
    });
    // Station names upright above the panels, each clear of the one before.
    let lastX = -1e9;
    nameEls.forEach(function (n) {
      const x = xOf(n.item.m);
      if (!inView(n.item.m, n.item.m) || x - lastX < 14) {
        n.text.setAttribute('display', 'none');
        return;
      }
      lastX = x;
      n.text.removeAttribute('display');
      const y = rows.names.bottom - 4;
      n.text.setAttribute('transform', 'translate(' + (x + 12).toFixed(1) + ',' + y +
        ') rotate(-90)');
    });
    finding_lines.textContent = '';
    findings.forEach(function (f) {
      if (f.position_m === null || !inView(f.position_m, f.position_m)) return;
      const x = xOf(f.position_m);
      el('line', { x1: x, x2: x, y1: rows.elevation.top, y2: rows.findings.top,
        stroke: SEVERITY_INK[f.severity] || '#3b7dd8', 'stroke-opacity': 0.5 }, finding_lines);
    });
    const end = report.route ? report.route.length_m : null;
    if (end && end > 0 && end < lengthM && inView(end, end)) {
      const x = xOf(end);
      routeEnd.removeAttribute('display');
      routeEnd.setAttribute('x1', x);
      routeEnd.setAttribute('x2', x);
      routeEnd.setAttribute('y1', rows.elevation.top);
      routeEnd.setAttribute('y2', rows.findings.bottom);
    } else {
      routeEnd.setAttribute('display', 'none');
    }
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
    for (let i = upperBound(plan.m, from); i < plan.m.length && plan.m[i] <= to; ++i) {
      if (plan.level[i] <= level) add([plan.x[i] / 100, plan.y[i] / 100]);
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
    const first = upperBound(plan.m, view.from - 1);
    for (let i = first; i < plan.m.length && plan.m[i] <= view.to; ++i) {
      if (plan.level[i] > level) continue;
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
    document.getElementById('plan-caption').textContent = '(the stretch ' +
      kmText(view.from, 2) + ' to ' + kmText(view.to, 2) + ' km highlighted; ' +
      (1 / planFrame.scale).toFixed(2) + ' m a pixel)';
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
    for (let i = 0; i < plan.m.length; ++i) {
      if (plan.level[i] > level) continue;
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
    const g = el('g', { class: 'plan-station' }, planLayers.stations);
    el('circle', { r: 5, fill: 'white', stroke: '#b0182a', 'stroke-width': 2.5 }, g);
    const t = el('text', { x: 9, y: 4 }, g);
    t.textContent = item.label;
    g.setAttribute('data-key', item.key);
    g.setAttribute('tabindex', '0');
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
        s.g.setAttribute('display', 'none');
        return;
      }
      s.g.removeAttribute('display');
      s.g.setAttribute('transform', 'translate(' + s.q[0].toFixed(1) + ',' + s.q[1].toFixed(1) +
        ')');
      const box = [s.q[0] + 8, s.q[1] - 9, s.q[0] + 10 + s.item.label.length * 7, s.q[1] + 5];
      const named = free(box);
      if (named) taken.push(box);
      s.g.lastChild.setAttribute('display', named ? 'inline' : 'none');
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
    plotWidth = Math.max((profileSvg.clientWidth || 900) - LEFT - RIGHT, 100);
    planSize = { w: planSvg.clientWidth || 800, h: planSvg.clientHeight || 260 };
  }

  function render() {
    clipRect.setAttribute('width', plotWidth);
    drawFrames();
    renderAxes();
    renderSeries();
    renderItems();
    renderPlan();
    document.getElementById('from-km').value = kmText(view.from);
    document.getElementById('to-km').value = kmText(view.to);
    document.getElementById('range-text').textContent = 'showing ' + kmText(view.to - view.from, 2) +
      ' of ' + kmText(lengthM, 2) + ' km';
    profileSvg.setAttribute('data-from-m', Math.round(view.from));
    profileSvg.setAttribute('data-to-m', Math.round(view.to));
    if (tipFor !== null) placeTip(byKey.get(tipFor));
  }

  // ---- Tooltips ----

  const tip = document.getElementById('tip');
  let tipFor = null;

  function showTip(item) {
    tipFor = item.key;
    const lines = item.words.split('\n');
    tip.textContent = '';
    const head = document.createElement('b');
    head.textContent = lines[0];
    tip.appendChild(head);
    tip.appendChild(document.createTextNode(lines.slice(1).join('\n')));
    tip.hidden = false;
    placeTip(item);
  }

  function placeTip(item) {
    if (!item || !item.el || item.el.getAttribute('display') === 'none') {
      hideTip();
      return;
    }
    const r = item.el.getBoundingClientRect();
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
    tip.hidden = true;
  }

  function itemOf(target) {
    const e = target.closest ? target.closest('[data-key]') : null;
    return e ? byKey.get(e.getAttribute('data-key')) : null;
  }

  [profileSvg, planSvg].forEach(function (svg) {
    svg.addEventListener('mouseover', function (ev) {
      const item = itemOf(ev.target);
      if (item) showTip(item);
    });
    svg.addEventListener('mouseout', function (ev) {
      if (itemOf(ev.target) && !itemOf(ev.relatedTarget || document.body)) hideTip();
    });
    svg.addEventListener('focusin', function (ev) {
      const item = itemOf(ev.target);
      if (item) showTip(item);
    });
    svg.addEventListener('focusout', hideTip);
    svg.addEventListener('click', function (ev) {
      const item = itemOf(ev.target);
      if (item && !dragMoved) select(item);
    });
  });

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
    renderPlanMarker();
  }

  function goTo(item) {
    if (item.placeless) {
      select(item);
      return;
    }
    const start = item.start !== undefined ? item.start : item.m;
    const end = item.end !== undefined ? item.end : item.m;
    const span = Math.min(Math.max(end - start + 2000, 3000), lengthM);
    setView((start + end) / 2 - span / 2, (start + end) / 2 + span / 2);
    select(item);
    requestAnimationFrame(function () {
      if (item.el) showTip(item);
    });
  }

  // ---- The side list ----

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
    if (!q) {
      const listedStations = sorted.filter(function (item) { return item.kind === 'station'; });
      const allFindings = sorted.filter(function (item) { return item.kind === 'finding'; });
      const listedFindings = allFindings.slice(0, Math.max(LIST_LIMIT - listedStations.length, 0));
      const keep = new Set(listedStations.concat(listedFindings));
      matches = sorted.filter(function (item) { return keep.has(item); });
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
    matches.slice(0, LIST_LIMIT).forEach(function (item) {
      const li = document.createElement('li');
      li.tabIndex = 0;
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

  list.addEventListener('click', function (ev) {
    const item = itemOf(ev.target);
    if (item) goTo(item);
  });
  list.addEventListener('keydown', function (ev) {
    if (ev.key !== 'Enter') return;
    const item = itemOf(ev.target);
    if (item) goTo(item);
  });
  search.addEventListener('input', renderList);
  search.addEventListener('keydown', function (ev) {
    if (ev.key === 'Enter' && matches.length > 0) goTo(matches[0]);
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

  profileSvg.addEventListener('keydown', function (ev) {
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
  window.addEventListener('resize', function () {
    measure();
    scheduleRender();
  });

  // ---- Title, summary, legend ----

  document.getElementById('title').textContent = data.title;
  const counts = report.cell_counts || {};
  const summary = [kmText(lengthM, 3) + ' km', stations.length + ' stations',
    (counts.signal || 0) + ' signals', curves.length + ' curves',
    cells.length + ' occupied cells', findings.length + ' findings'];
  if (!plan) summary.push('no line file: no plan');
  if (!profile) summary.push('no track file: no elevation, speed or features');
  document.getElementById('summary').textContent = summary.join(' \u00b7 ');

  const legend = document.getElementById('legend');
  [['#7a4a14', 'elevation'], ['#c0392b', 'line speed limit'], ['#3b7dd8', 'station zone'],
    ['#fbecbb', 'poor adhesion'], ['hsl(70,70%,50%)', 'curve (above: right, below: left; taller: sharper)'],
    ['#f0b27a', 'slowdown, start to end'], ['#4a3a2a', 'tunnel'], ['#c0392b', 'finding of check'],
    ['#1f5fa8', 'plan: the stretch shown']].forEach(function (k) {
    const s = document.createElement('span');
    const key = document.createElement('span');
    key.className = 'key';
    key.style.background = k[0];
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
    });
  });
})();
