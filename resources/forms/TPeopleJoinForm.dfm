object PeopleJoinForm: TPeopleJoinForm
  Left = 100
  Top = 80
  BorderStyle = bsDialog
  Caption = 'Слияние учетных записей в картотеке'
  ClientHeight = 490
  ClientWidth = 1000
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
      Caption = 'Выполнить'
      Hint = 'Выполнить'
      OnClick = ToolButton1Click
    end
    object ToolButton3: TToolButton
      Caption = 'Отмена'
      Hint = 'Отмена'
      OnClick = ToolButton3Click
    end
  end
  object Panel1: TPanel
    Height = 36
    Align = alTop
    Caption = 'Отметьте на источнике принимаемые данные '
    ParentFont = False
    Font.Name = 'MS Sans Serif'
    Font.Height = -13
    Font.Style = [fsBold]
    TabOrder = 0
  end
  object GroupBox2: TGroupBox
    Left = 0
    Top = 62
    Width = 500
    Align = alLeft
    Caption = 'Источник'
    TabOrder = 1
    object ListView1: TListView
      Left = 8
      Top = 16
      Width = 484
      Height = 190
      Checkboxes = True
      Columns = <
        item
          Caption = 'наименование'
          Width = 140
        end
        item
          Caption = 'значение'
          Width = 500
        end>
      ReadOnly = True
      RowSelect = True
      TabOrder = 0
      ViewStyle = vsReport
    end
    object Label1: TLabel
      Left = 8
      Top = 212
      Width = 300
      Height = 13
      Caption = 'сведения по полученному образованию'
    end
    object Memo1: TMemo
      Left = 8
      Top = 228
      Width = 484
      Height = 190
      ReadOnly = True
      ScrollBars = ssVertical
      TabOrder = 1
    end
  end
  object GroupBox3: TGroupBox
    Left = 0
    Top = 62
    Width = 500
    Align = alClient
    Caption = 'Получатель'
    TabOrder = 2
    object ListView2: TListView
      Left = 8
      Top = 16
      Width = 484
      Height = 190
      Checkboxes = False
      Columns = <
        item
          Caption = 'наименование'
          Width = 140
        end
        item
          Caption = 'значение'
          Width = 500
        end>
      ReadOnly = True
      RowSelect = True
      TabOrder = 0
      ViewStyle = vsReport
    end
    object Label2: TLabel
      Left = 8
      Top = 212
      Width = 300
      Height = 13
      Caption = 'сведения по полученному образованию'
    end
    object Memo2: TMemo
      Left = 8
      Top = 228
      Width = 484
      Height = 190
      ReadOnly = True
      ScrollBars = ssVertical
      TabOrder = 1
    end
  end
end
