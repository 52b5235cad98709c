object DoublesFIOForm: TDoublesFIOForm
  Left = 150
  Top = 100
  Width = 700
  Height = 500
  Caption = 'Дубли в картотеке'
  Color = clBtnFace
  Font.Name = 'MS Sans Serif'
  Font.Height = -11
  Position = poDesktopCenter
  OnCreate = FormCreate
  object ToolBar1: TToolBar
    Flat = True
    Height = 26
    ShowCaptions = True
    ShowHint = True
    object ToolButton1: TToolButton
      Caption = 'Закрыть'
      Hint = 'Закрыть'
      OnClick = ToolButton1Click
    end
    object ToolButton3: TToolButton
      Style = tbsSeparator
      Width = 8
    end
    object ToolButton4: TToolButton
      Caption = 'печать'
      Hint = 'печать списка'
      OnClick = ToolButton4Click
    end
    object ToolButton5: TToolButton
      Style = tbsSeparator
      Width = 8
    end
    object ToolButton2: TToolButton
      Caption = 'перейти в картотеку'
      Hint = 'перейти в картотеку к тек. записи '
      OnClick = ToolButton2Click
    end
  end
  object dxDBGrid1: TdxDBGrid
    Align = alClient
    TabOrder = 0
    KeyField = 'FSTNAME'
    OptionsDB = [edgoCanNavigation, edgoLoadAllRecords]
    OptionsView = [edgoAutoWidth, edgoBandHeaderWidth, edgoUseBitmap]
    object dxDBGrid1FSTNAME: TdxDBGridColumn
      Width = 200
      FieldName = 'FSTNAME'
    end
    object dxDBGrid1SECNAME: TdxDBGridColumn
      Width = 200
      FieldName = 'SECNAME'
    end
    object dxDBGrid1LASTNAME: TdxDBGridColumn
      Width = 162
      FieldName = 'LASTNAME'
    end
    object dxDBGrid1kol: TdxDBGridMaskColumn
      Width = 106
      FieldName = 'kol'
    end
  end
end
